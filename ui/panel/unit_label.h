#pragma once
// CUnitLabel: the sunken labels 6016 and 6017 that repeat the unit name
// after the scaling fields. Their size comes from the template and the
// layout; a unit longer than that is shown shortened with "…" and whole in
// the label's tooltip, so no unit is ever shown cut to a different word.
// text() stays the whole unit. Owned by the panel; GUI thread only.
#include <QLabel>

class CUnitLabel : public QLabel {
public:
    explicit CUnitLabel(QWidget* parent = nullptr);

    // The text as drawn: the unit, or its start and "…" when it does not fit.
    QString ShownText() const;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QRect TextRect() const;
};

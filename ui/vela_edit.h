#pragma once
// CVelaEdit: an edit field with a visual state (0 normal, 1 focused,
// 2 pressed, 3 disabled), a colour per state for background, text and frame,
// and its own font whose face comes from the host's string 817. It repaints
// itself whenever its text changes. The main dialog owns four of them.
// Constructed after the host services exist; GUI thread only.
#include <QColor>
#include <QFont>
#include <QLineEdit>

class CVelaEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CVelaEdit(QWidget* parent = nullptr);
    ~CVelaEdit() override;

    int EditState() const { return m_editState; }
    QColor BkColor(int state) const { return m_bkColors[state]; }
    QColor TextColor(int state) const { return m_textColors[state]; }
    QColor BorderColor(int state) const { return m_borderColors[state]; }
    const QFont& OwnFont() const { return m_font; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    int m_editState = 0;
    QColor m_bkColors[4];
    QColor m_textColors[4];
    QColor m_borderColors[4];
    QFont m_font;
};

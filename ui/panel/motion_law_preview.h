// CMotionLawPreview: the motion-law dialog's picture of a design: position,
// speed and acceleration stacked, each with the law drawn thin and the
// drive's fitted curve drawn over it, key points marked on the position
// plot. Acceleration is d(speed)/dt over the law segment's fraction, for law
// and fit alike (cam/cam_design.h), so the two compare on one scale.
//
// The widget holds a copy of the samples it draws; GUI thread only.
#pragma once

#include "cam/cam_design.h"

#include <QWidget>
#include <vector>

class QPainter;

class CMotionLawPreview : public QWidget {
    Q_OBJECT
public:
    explicit CMotionLawPreview(QWidget* parent = nullptr);

    // The samples to draw and the masters of the key points; empty clears.
    void SetDesign(std::vector<DesignSample> samples, std::vector<double> keyMasters);
    const std::vector<DesignSample>& Samples() const { return m_samples; }

    QSize sizeHint() const override { return QSize(420, 360); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void PaintPlot(QPainter& p, const QRect& area, int quantity, const QString& title) const;

    std::vector<DesignSample> m_samples;
    std::vector<double> m_keyMasters;
};

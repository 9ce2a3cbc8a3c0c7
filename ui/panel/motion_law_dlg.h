// CMotionLawDlg ("运动规律..."): the cam laid out as motion laws. A table of
// segments (law, end master, end slave; from master 0, slave 0), a position
// tolerance and a key point limit; every change fits again at once
// (cam/cam_design.h) and shows the preview, the per-segment report, or why
// the profile cannot be laid out. OK is enabled only with a fit in hand; the
// caller then takes Design() and MasterLength().
//
// Keyboard: the table edits in place (F2 or typing; the law column opens a
// list), Alt+A / Alt+D add and delete a segment, Alt+T and Alt+N reach the
// tolerance and the limit, Enter accepts, Esc cancels.
//
// GUI thread only. The dialog owns its widgets; the design is a copy.
#pragma once

#include "cam/cam_design.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

class CMotionLawPreview;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class CMotionLawDlg : public QDialog {
    Q_OBJECT
public:
    // Starts from `segments`, or (when empty) a rise, dwell, return and dwell
    // over `masterLength`.
    CMotionLawDlg(const std::vector<DesignSegment>& segments, uint32_t masterLength, QWidget* parent = nullptr);
    ~CMotionLawDlg() override;

    // The segments as the table holds them (valid when HasDesign()).
    const std::vector<DesignSegment>& Segments() const { return m_segments; }
    bool HasDesign() const { return m_hasDesign; }
    const CamDesign& Design() const { return m_design; }
    uint32_t MasterLength() const;
    // The line under the report: the point count or the reason for none.
    QString StatusText() const;

    // The law's name as the table shows it.
    static QString LawText(MotionLaw law);

private:
    void FillTable(const std::vector<DesignSegment>& segments);
    void SetRow(int row, const DesignSegment& segment);
    void AddSegment();
    void RemoveSegment();
    void Refit();
    bool ReadTable(QString& why);
    QString ErrorText(const DesignError& error) const;
    void ShowReport();

    QTableWidget* m_table = nullptr;
    QLineEdit* m_tolerance = nullptr;
    QSpinBox* m_maxPoints = nullptr;
    QTableWidget* m_report = nullptr;
    QLabel* m_status = nullptr;
    CMotionLawPreview* m_preview = nullptr;
    QPushButton* m_ok = nullptr;
    std::vector<DesignSegment> m_segments;
    CamDesign m_design;
    bool m_hasDesign = false;
    bool m_filling = false;
};

#pragma once
// CProfileCommands: the cam panel's file commands. .ecam profiles with the
// axis-scaling fields (6024 "导入", 6025 "保存") and special-point workbooks
// (6026 "特殊点导入", 6027 "特殊点保存"). Each command asks for a path
// through the modal UI, reads or writes the file and tells the user what
// failed; the file formats themselves live in files/. Owned by the panel;
// GUI thread only.
#include "cam/ecam_point.h"
#include "files/ms_excel_helper.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class CECamPointSet;
class IModalUi;
class QWidget;

// What the file commands need from the panel.
class IProfileView {
public:
    virtual ~IProfileView() = default;
    virtual QWidget* GetDlgItem(int id) const = 0;
    virtual QString GetDlgItemText(int id) const = 0;
    virtual void SetDlgItemText(int id, const QString& text) = 0;
    virtual void GetPoints(std::vector<ECamPoint>& out) const = 0;
    // Replaces the cam, redraws curves and table and fits the curves'
    // vertical ranges to it; relinkLinear re-derives the Linear speeds.
    virtual void ReplaceCam(const std::vector<ECamPoint>& points, bool relinkLinear) = 0;
    // Enables or disables a control; a running transfer holding it defers
    // the change to its end.
    virtual void EnableDlgItem(int id, bool enabled) = 0;
    // Puts a master length into field 6008 without applying it to the cam.
    virtual void ShowMasterLength(uint32_t length) = 0;
    virtual IModalUi& ModalUi() = 0;
    virtual QWidget* BoxOwner() = 0;
};

class CProfileCommands {
public:
    explicit CProfileCommands(IProfileView& view) : m_view(view) {}

    // True when a profile was opened or saved.
    bool OnOpenECamFile();   // 6024
    bool OnSaveECamFile();   // 6025
    void OnSpecialImport();  // 6026
    void OnSpecialSave();    // 6027

    // Profile file of the key points and the "PUU设定" fields; false on a
    // file error (the reader has then shown the error's own description).
    bool ECamProfileWriter(const QString& path);
    bool ECamProfileReader(const QString& path);
    // Special-point workbooks; false (after their messages) on failure.
    bool ImportSpecialPoints(const QString& path);
    bool SaveSpecialPoints(const QString& path);

private:
    IProfileView& m_view;
    CMSExcelHelper m_excelHelper;
    std::string m_saveError; // why the last save failed, shown after the command's message
};

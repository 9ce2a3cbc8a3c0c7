// File commands of the cam panel: .ecam profiles and special-point workbooks.
#include "ui/panel/profile_commands.h"

#include "ui/lang/file_messages.h"

#include "files/ecam_file.h"
#include "files/file_extension.h"
#include "files/point_list_file.h"
#include "host/logic_manage.h"
#include "ui/modal_ui.h"
#include "ui/panel/panel_ids.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

const char* const kECamFilter = "QZ ECam Files (*.ecam);;All Files (*.*)";
const char* const kOpenTitle = QT_TRANSLATE_NOOP("CProfileCommands", "打开凸轮数据文件");
const char* const kSaveTitle = QT_TRANSLATE_NOOP("CProfileCommands", "保存凸轮数据文件");
const char* const kOpenFailed = QT_TRANSLATE_NOOP("CProfileCommands", "打开数据文件失败!");

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// Texts of the host's string table the panel shows, offered for translation
// here; looked up by their text.
[[maybe_unused]] const char* const kHostStrings[] = {
    QT_TRANSLATE_NOOP("HostStrings", "无法启动表格组件，不能读写特殊点表格文件!"),
};

QString Tr(const char* text)
{
    return QCoreApplication::translate("CProfileCommands", text);
}

// The command's own failure message, then why the system refused the file.
QString WithReason(const QString& message, const std::string& reason)
{
    return reason.empty() ? message : message + QLatin1Char('\n') + QString::fromStdString(reason);
}

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(path.toStdString()); // file names are UTF-8 here
}

} // namespace

using namespace panel;

bool CProfileCommands::OnOpenECamFile()
{
    const QString path = m_view.ModalUi().OpenFileName(nullptr, Tr(kOpenTitle), u8(kECamFilter));
    if (path.isEmpty())
        return false;
    if (ecam::LowerExtension(toPath(path)) != ".ecam")
        return false; // not a profile: nothing to say, as with a cancelled dialog
    if (ECamProfileReader(path))
        return true;
    m_view.ModalUi().Box(m_view.BoxOwner(), Tr(kOpenFailed));
    return false;
}

bool CProfileCommands::OnSaveECamFile()
{
    QString path;
    for (;;) {
        // The dialog itself must not ask about an existing file: the
        // question below is the one the user answers.
        path = m_view.ModalUi().SaveFileName(nullptr, Tr(kSaveTitle), u8(kECamFilter), QStringLiteral("ecam"),
                                             QString(), false);
        if (path.isEmpty())
            return false;
        if (!QFileInfo::exists(path))
            break;
        if (m_view.ModalUi().Box(m_view.BoxOwner(), Tr(QT_TRANSLATE_NOOP("CProfileCommands", "文件已经存在，是否覆盖?")),
                                 Tr(QT_TRANSLATE_NOOP("CProfileCommands", "提示")), MB_YESNO) == IDYES)
            break;
    }
    if (ECamProfileWriter(path))
        return true;
    m_view.ModalUi().Box(m_view.BoxOwner(), WithReason(Tr(QT_TRANSLATE_NOOP("CProfileCommands", "保存数据文件失败!")),
                                                       m_saveError));
    return false;
}

bool CProfileCommands::ECamProfileWriter(const QString& path)
{
    ecam::ECamProfile profile;
    profile.hostVersion = ecam::ECamHostVersionText();
    profile.saveTime = ecam::ECamSaveTimeText(std::time(nullptr));
    profile.masterLength = m_view.GetDlgItemText(IDC_EDIT_MASTER_LEN).toStdWString();
    profile.unit = m_view.GetDlgItemText(IDC_EDIT_UNIT).toStdWString();
    profile.slavePulse = m_view.GetDlgItemText(IDC_EDIT_SLAVE_PULSE).toStdWString();
    profile.slaveUnits = m_view.GetDlgItemText(IDC_EDIT_SLAVE_UNITS).toStdWString();
    profile.masterPulse = m_view.GetDlgItemText(IDC_EDIT_MASTER_PULSE).toStdWString();
    profile.masterUnits = m_view.GetDlgItemText(IDC_EDIT_MASTER_UNITS).toStdWString();
    m_view.GetPoints(profile.points);
    m_saveError.clear();
    return ecam::WriteECamProfileFile(toPath(path), profile, &m_saveError);
}

bool CProfileCommands::ECamProfileReader(const QString& path)
{
    ecam::ECamProfile profile;
    std::string error;
    ecam::ReadFailure kind = ecam::ReadFailure::None;
    if (!ecam::ReadECamProfileFile(toPath(path), profile, &error, &kind)) {
        // A file that is no profile has nothing of its own to say: the
        // command's "open failed" tells it.
        if (kind != ecam::ReadFailure::NotAProfile) {
            const QString words = ReadFailureWords(kind);
            m_view.ModalUi().Box(m_view.BoxOwner(), words.isEmpty() ? QString::fromStdString(error).left(255) : words);
        }
        return false;
    }
    // The master length field takes the integer as it stands; the points are
    // not rescaled to it (they come from the file). A negative or oversized
    // number shows as the nearest value the field can hold, and the usual
    // range check runs when the user next commits the field.
    const long length = ecam::ECamMasterLengthValue(profile);
    m_view.ShowMasterLength(static_cast<uint32_t>(std::clamp<long>(length, 0, UINT32_MAX)));

    const QString unit = QString::fromStdWString(profile.unit);
    m_view.SetDlgItemText(IDC_EDIT_UNIT, unit);
    m_view.SetDlgItemText(IDC_LBL_SLAVE_UNIT, unit);
    m_view.SetDlgItemText(IDC_LBL_MASTER_UNIT, unit);
    m_view.SetDlgItemText(IDC_EDIT_SLAVE_PULSE, QString::fromStdWString(profile.slavePulse));
    m_view.SetDlgItemText(IDC_EDIT_SLAVE_UNITS, QString::fromStdWString(profile.slaveUnits));
    m_view.SetDlgItemText(IDC_EDIT_MASTER_PULSE, QString::fromStdWString(profile.masterPulse));
    m_view.SetDlgItemText(IDC_EDIT_MASTER_UNITS, QString::fromStdWString(profile.masterUnits));

    m_view.ReplaceCam(profile.points, false);
    for (int id : {IDC_EDIT_SLAVE_PULSE, IDC_EDIT_SLAVE_UNITS, IDC_EDIT_MASTER_PULSE,
                   IDC_EDIT_MASTER_UNITS, IDC_BTN_STD_WRITE})
        m_view.EnableDlgItem(id, true);
    // A file cut short loads what it holds, and the user is told.
    if (profile.announcedPoints > static_cast<long>(profile.points.size()))
        m_view.ModalUi().Box(m_view.BoxOwner(), Tr(QT_TRANSLATE_NOOP("CProfileCommands", "文件中只有%1个凸轮点,少于文件所写的%2个!"))
                                                    .arg(profile.points.size())
                                                    .arg(profile.announcedPoints));
    return true;
}

void CProfileCommands::OnSpecialImport()
{
    const QString path =
        m_view.ModalUi().OpenFileName(m_view.BoxOwner(), Tr(kOpenTitle), u8("Excel Files(*.xls,*.xlsx) (*.xls*)"));
    if (path.isEmpty())
        return;
    const bool ok = ImportSpecialPoints(path);
    if (!ok)
        m_view.ModalUi().Box(m_view.BoxOwner(), Tr(kOpenFailed));
    m_view.EnableDlgItem(IDC_BTN_SPECIAL_WRITE, ok);
}

bool CProfileCommands::ImportSpecialPoints(const QString& path)
{
    if (!CMSExcelHelper::CheckHasExcel()) {
        m_view.ModalUi().Box(m_view.BoxOwner(), Tr(QT_TRANSLATE_NOOP("CProfileCommands", "本地未安装Excel,请先安装再使用本功能!")));
        return false;
    }
    std::vector<ECamPoint> points;
    ecam::ReadFailure kind = ecam::ReadFailure::None;
    // Only complete rows are read. A workbook without a single complete row
    // holds no cam: it is reported like an unreadable one and the cam the
    // user had stays, instead of being replaced by nothing.
    if (!ecam::ImportSpecialPointsWorkbook(m_excelHelper, toPath(path), points, &kind)) {
        // Limits and files that are no files get their own words.
        const QString words = ReadFailureWords(kind);
        m_view.ModalUi().Box(m_view.BoxOwner(), words.isEmpty() ? Tr(kOpenFailed) : words);
        return false;
    }
    m_view.ReplaceCam(points, true);
    return true;
}

void CProfileCommands::OnSpecialSave()
{
    const QString path = m_view.ModalUi().SaveFileName(
        m_view.BoxOwner(), Tr(kSaveTitle), u8("Excel Files(*.xls;*.xlsx) (*.xls *.xlsx);;All Files(*.*) (*.*)"),
        QStringLiteral("xls"), QStringLiteral("SpecECam1.xls"));
    if (path.isEmpty())
        return;
    // An existing file is replaced only by a complete new one (not deleted
    // first), so a failed save keeps it; a directory of that name stays.
    if (!SaveSpecialPoints(path)) {
        m_view.ModalUi().Box(nullptr, WithReason(Tr(QT_TRANSLATE_NOOP("CProfileCommands", "保存文件失败!")), m_saveError));
        return;
    }
    // The workbook holds two columns; the user learns what stayed behind.
    std::vector<ECamPoint> points;
    m_view.GetPoints(points);
    if (!ecam::SpecialSaveLosses(points).empty())
        m_view.ModalUi().Box(nullptr, Tr(QT_TRANSLATE_NOOP("CProfileCommands", "特殊点表格只保存主轴和从轴位置,标幺速度和曲线类型未保存!")));
}

bool CProfileCommands::SaveSpecialPoints(const QString& path)
{
    std::vector<ECamPoint> points;
    m_view.GetPoints(points);
    // The same writer as the command-line tool's, so both give the same bytes.
    m_saveError.clear();
    const ecam::SpecialSaveResult r =
        ecam::SaveSpecialPointsWorkbook(m_excelHelper, toPath(path), points, &m_saveError);
    if (r == ecam::SpecialSaveResult::CannotCreate) {
        // The host's string table speaks Chinese only: its text is the key.
        const QString text = QString::fromStdWString(CSingleton<CLogicManage>::Instance()->GetString(170));
        m_view.ModalUi().Box(nullptr, QCoreApplication::translate("HostStrings", text.toUtf8().constData()));
        return false;
    }
    // A workbook that could not be written (full disk, more rows than a
    // legacy workbook holds) is reported like one that could not be created.
    return r == ecam::SpecialSaveResult::Saved;
}

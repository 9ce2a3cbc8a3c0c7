#include "ui/qt_modal_ui.h"

#include "ui/panel_settings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

struct FilterEntry {
    QString label;      // what the user reads
    QString patterns;   // what the dialog matches, blank-separated
};

FilterEntry SplitFilter(const QString& entry)
{
    // Qt takes the patterns from the last parenthesised group.
    static const QRegularExpression re(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
    const auto m = re.match(entry);
    if (!m.hasMatch())
        return {entry.trimmed(), entry.trimmed()};
    const QString name = m.captured(1).trimmed();
    const QString patterns = m.captured(2).trimmed();
    // A name that ends in its own pattern list already says what it matches.
    if (name.endsWith(QLatin1Char(')')))
        return {name, patterns};
    return {name + QLatin1Char('(') + patterns + QLatin1Char(')'), patterns};
}

std::vector<FilterEntry> SplitFilters(const QString& filter)
{
    std::vector<FilterEntry> out;
    for (const QString& entry : filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts))
        out.push_back(SplitFilter(entry));
    return out;
}

// What the dialog is given for an entry. The dialog hides the pattern part
// (HideNameFilterDetails), which leaves exactly the label.
QString DialogFilter(const FilterEntry& e)
{
    return e.label + QStringLiteral(" (") + e.patterns + QLatin1Char(')');
}

} // namespace

int CQtModalUi::MessageBox(const MessageBoxCall& call)
{
    QMessageBox box(call.owner);
    box.setText(call.text);
    box.setWindowTitle(call.caption.isEmpty() ? QApplication::applicationDisplayName() : call.caption);
    switch (call.icon) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (call.buttons & 0xF) {
    case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default:
        // Closing a box that has only OK answers OK, as the classic box does.
        return (call.buttons & 0xF) == MB_OK ? IDOK : IDCANCEL;
    }
}

QStringList CQtModalUi::FilterLabels(const QString& filter)
{
    QStringList labels;
    for (const FilterEntry& e : SplitFilters(filter))
        labels << e.label;
    return labels;
}

QString CQtModalUi::DirectoryKind(const QString& filter)
{
    const std::vector<FilterEntry> entries = SplitFilters(filter);
    QString first = entries.empty() ? QString() : entries.front().patterns;
    first = first.section(QRegularExpression(QStringLiteral("[\\s;,]+")), 0, 0, QString::SectionSkipEmpty);
    QString kind = first.mid(first.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    kind.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    return kind.isEmpty() ? QStringLiteral("other") : kind;
}

void CQtModalUi::PrepareFileDialog(QFileDialog& dlg, const FileDialogCall& call)
{
    dlg.setWindowTitle(call.title);
    dlg.setAcceptMode(call.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(call.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, call.save && !call.confirmOverwrite);
    dlg.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const FilterEntry& e : SplitFilters(call.filter))
        filters << DialogFilter(e);
    dlg.setNameFilters(filters);
    if (!call.defaultExt.isEmpty())
        dlg.setDefaultSuffix(call.defaultExt);

    // A proposed path names its own folder; a bare name goes into the folder
    // this kind of file was last taken from.
    // Always set: left alone, the dialog would open wherever any dialog of
    // the process last was. A kind seen for the first time starts in the
    // working directory, as the classic dialog does.
    const QFileInfo proposed(call.initialName);
    QString folder = LastDirectorySetting(DirectoryKind(call.filter));
    if (!call.initialName.isEmpty() && proposed.isAbsolute())
        folder = proposed.absolutePath();
    dlg.setDirectory(!folder.isEmpty() && QDir(folder).exists() ? folder : QDir::currentPath());
    if (!call.initialName.isEmpty())
        dlg.selectFile(proposed.isAbsolute() ? proposed.fileName() : call.initialName);
}

FileDialogAnswer CQtModalUi::FileDialog(const FileDialogCall& call)
{
    QFileDialog dlg(call.owner);
    PrepareFileDialog(dlg, call);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    const QString path = dlg.selectedFiles().first();
    SetLastDirectorySetting(DirectoryKind(call.filter), QFileInfo(path).absolutePath());
    // Answer with the caller's own entry, not the form the dialog shows.
    const QStringList entries = call.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    const QString shown = dlg.selectedNameFilter();
    qsizetype chosen = FilterLabels(call.filter).indexOf(shown);
    if (chosen < 0)
        chosen = dlg.nameFilters().indexOf(shown);
    return {path, chosen >= 0 && chosen < entries.size() ? entries[chosen] : shown};
}

int CQtModalUi::PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items)
{
    QMenu menu(owner);
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(item.text);
        a->setData(item.id);
        a->setEnabled(item.enabled);
    }
    // Only the chosen entry matters; the menu is gone when exec returns.
    QAction* chosen = menu.exec(screenPos);
    return chosen ? chosen->data().toInt() : 0;
}

#include "tests/support/modal_ui_recorder.h"

int CModalUiRecorder::MessageBox(const MessageBoxCall& call)
{
    const unsigned b = call.buttons & 0xF;
    return boxes.Take(call, (b == MB_YESNO || b == MB_YESNOCANCEL) ? IDYES : IDOK);
}

FileDialogAnswer CModalUiRecorder::FileDialog(const FileDialogCall& call)
{
    return files.Take(call, {});
}

int CModalUiRecorder::PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items)
{
    const MenuChoice choice = menus.Take({owner, screenPos, items}, {menus.m_standing, QString()});
    for (const MenuItem& item : items)
        if (item.enabled && (choice.text.isEmpty() ? item.id == choice.id : item.text == choice.text))
            return item.id;
    return 0;
}

QStringList CModalUiRecorder::Boxes::Texts() const
{
    QStringList texts;
    for (const auto& c : m_calls)
        texts << c.text;
    return texts;
}

QStringList CModalUiRecorder::MenuCall::Texts() const
{
    QStringList texts;
    for (const auto& i : items)
        texts << i.text;
    return texts;
}

const MenuItem* CModalUiRecorder::MenuCall::Find(int id) const
{
    for (const auto& i : items)
        if (i.id == id)
            return &i;
    return nullptr;
}

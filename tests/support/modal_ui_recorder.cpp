#include "tests/support/modal_ui_recorder.h"

int CModalUiRecorder::MessageBox(const MessageBoxCall& call)
{
    boxes.m_calls.push_back(call);
    if (!boxes.m_answers.empty()) {
        const int answer = boxes.m_answers.front();
        boxes.m_answers.pop_front();
        return answer;
    }
    const unsigned b = call.buttons & 0xF;
    return (b == MB_YESNO || b == MB_YESNOCANCEL) ? IDYES : IDOK;
}

FileDialogAnswer CModalUiRecorder::FileDialog(const FileDialogCall& call)
{
    files.m_calls.push_back(call);
    if (files.m_answers.empty())
        return {};
    FileDialogAnswer answer = files.m_answers.front();
    files.m_answers.pop_front();
    return answer;
}

int CModalUiRecorder::PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items)
{
    menus.m_calls.push_back({owner, screenPos, items});
    Menus::Choice choice{menus.m_standing, QString()};
    if (!menus.m_answers.empty()) {
        choice = menus.m_answers.front();
        menus.m_answers.pop_front();
    }
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

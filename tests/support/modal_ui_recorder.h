#pragma once
// CModalUiRecorder: the modal UI of a panel under test. Records every message
// box, file dialog and popup menu the code would have shown and answers as a
// user would, from queues the test fills: boxes with the queued answer (then
// the first button, IDOK or IDYES), file dialogs with the queued path (then
// cancelled), menus with the queued command id (then dismissed). Nothing is
// ever shown, so no test blocks on a modal loop.
#include "ui/modal_ui.h"

#include <QStringList>
#include <deque>
#include <vector>

class CModalUiRecorder : public IModalUi {
    // The calls of one kind in order, and the answers queued for the next ones.
    template <class Call, class Answer>
    class Recorded {
    public:
        const std::vector<Call>& Calls() const { return m_calls; }
        void Clear() { m_calls.clear(); }

    protected:
        friend class CModalUiRecorder;
        Answer Take(const Call& call, const Answer& none)
        {
            m_calls.push_back(call);
            if (m_answers.empty())
                return none;
            const Answer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        std::vector<Call> m_calls;
        std::deque<Answer> m_answers;
    };

public:
    class Boxes : public Recorded<MessageBoxCall, int> {
    public:
        void QueueAnswer(int answer) { m_answers.push_back(answer); }
        QStringList Texts() const;
        bool LastIs(const QString& text) const { return !m_calls.empty() && m_calls.back().text == text; }
    };
    class Files : public Recorded<FileDialogCall, FileDialogAnswer> {
    public:
        void QueueAnswer(const QString& path, const QString& selectedFilter = QString())
        {
            m_answers.push_back({path, selectedFilter});
        }
    };
    struct MenuCall {
        QWidget* owner;
        QPoint screenPos;
        std::vector<MenuItem> items;
        QStringList Texts() const;
        const MenuItem* Find(int id) const;
    };
    struct MenuChoice {
        int id;
        QString text;
    };
    class Menus : public Recorded<MenuCall, MenuChoice> {
    public:
        // A choice the menu does not offer enabled dismisses it; so does an
        // empty text.
        void QueueChoice(int id) { m_answers.push_back({id, QString()}); }
        void QueueChoice(const QString& text) { m_answers.push_back({0, text}); }
        // The choice for every menu once the queue is empty (0: dismiss).
        void AnswerEveryMenu(int id) { m_standing = id; }
        // Choices queued and not yet taken by a menu.
        std::size_t Queued() const { return m_answers.size(); }

    private:
        friend class CModalUiRecorder;
        int m_standing = 0;
    };

    int MessageBox(const MessageBoxCall& call) override;
    FileDialogAnswer FileDialog(const FileDialogCall& call) override;
    int PopupMenu(QWidget* owner, const QPoint& screenPos, const std::vector<MenuItem>& items) override;

    Boxes boxes;
    Files files;
    Menus menus;
};

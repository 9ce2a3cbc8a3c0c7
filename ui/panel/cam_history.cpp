#include "ui/panel/cam_history.h"

#include <QUndoCommand>

class CCamHistory::Step : public QUndoCommand {
public:
    Step(CCamHistory& owner, PointListDiff diff, QStringList fieldsBefore, QStringList fieldsAfter)
        : m_owner(owner), m_diff(std::move(diff)), m_fieldsBefore(std::move(fieldsBefore)),
          m_fieldsAfter(std::move(fieldsAfter))
    {
    }
    // Pushed after the action itself has changed the cam: the first redo
    // finds it done.
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        ApplyForward(m_owner.m_state.points, m_diff);
        if (!m_fieldsAfter.isEmpty())
            m_owner.m_state.fields = m_fieldsAfter;
        m_owner.m_apply(m_owner.m_state);
    }
    void undo() override
    {
        ApplyBackward(m_owner.m_state.points, m_diff);
        if (!m_fieldsBefore.isEmpty())
            m_owner.m_state.fields = m_fieldsBefore;
        m_owner.m_apply(m_owner.m_state);
    }
    std::size_t Bytes() const { return m_diff.Bytes(); }

private:
    CCamHistory& m_owner;
    PointListDiff m_diff;
    QStringList m_fieldsBefore;  // empty: the step left the fields alone
    QStringList m_fieldsAfter;
    bool m_done = true;
};

CCamHistory::CCamHistory(Apply apply) : m_apply(std::move(apply))
{
    m_stack.setUndoLimit(kDepth);
}

CCamHistory::~CCamHistory() = default;

void CCamHistory::Reset(CamState state)
{
    m_stack.clear();
    m_state = std::move(state);
}

bool CCamHistory::Record(const CamState& now)
{
    PointListDiff diff = DiffPointLists(m_state.points, now.points);
    if (diff.Empty() && now.fields == m_state.fields)
        return false;
    QStringList before, after;
    if (now.fields != m_state.fields) {
        before = m_state.fields;
        after = now.fields;
    }
    m_state.points = now.points;
    m_state.fields = now.fields;
    m_stack.push(new Step(*this, std::move(diff), std::move(before), std::move(after)));
    return true;
}

bool CCamHistory::Undo()
{
    if (!m_stack.canUndo())
        return false;
    m_stack.undo();
    return true;
}

bool CCamHistory::Redo()
{
    if (!m_stack.canRedo())
        return false;
    m_stack.redo();
    return true;
}

std::size_t CCamHistory::Bytes() const
{
    std::size_t total = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        total += static_cast<const Step*>(m_stack.command(i))->Bytes();
    return total;
}

#pragma once
// CCamHistory: one undo/redo history of every change of the cam.
//
// The panel records its state after each user action (table edits, menus,
// range operations, drags, master length, profile open, special-point
// import); a change of the points becomes one step, kept as the changed run
// of points (bit-exact) and, when they changed with it, the settings fields;
// a committed field alone (a new unit) is a step of its own. Undo and redo
// hand the state to restore to the panel through the function given at
// construction.
//
// Memory: at most kDepth steps; a step holds only the points its action
// changed (the whole list only where the whole cam was replaced).
// Threads: GUI thread only.
#include "cam/point_list_diff.h"

#include <QStringList>
#include <QUndoStack>
#include <functional>
#include <vector>

struct CamState {
    std::vector<ECamPoint> points;
    QStringList fields;  // the settings fields, in the order the panel chose
};

class CCamHistory {
public:
    static constexpr int kDepth = 1000;
    using Apply = std::function<void(const CamState& state)>;

    explicit CCamHistory(Apply apply);
    ~CCamHistory();
    CCamHistory(const CCamHistory&) = delete;
    CCamHistory& operator=(const CCamHistory&) = delete;

    // Starts over from `state`, with an empty history.
    void Reset(CamState state);
    // Compares `now` with the state last recorded; true when a step was added.
    bool Record(const CamState& now);
    bool Undo();
    bool Redo();

    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    int Count() const { return m_stack.count(); }
    // Steps currently applied (Count() minus the steps that can be redone).
    int Index() const { return m_stack.index(); }
    // Bytes of points held by all steps.
    std::size_t Bytes() const;
    const CamState& Current() const { return m_state; }
    // The state now applied is the one last saved to (or opened from) a
    // file; Modified() stays true for any other, undo and redo included.
    void MarkSaved() { m_stack.setClean(); }
    bool Modified() const { return !m_stack.isClean(); }

private:
    class Step;
    CamState m_state;
    Apply m_apply;
    QUndoStack m_stack;
};

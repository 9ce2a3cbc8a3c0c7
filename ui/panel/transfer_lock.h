#pragma once
// CTransferLock: the controls a running transfer must keep the user away
// from, disabled for exactly as long as the lock lives. Construction records
// each control's enabled state and disables it; destruction gives every
// control its state back, except the ones named to come back enabled (the
// commands a finished transfer always offers again). Whatever changes a held
// control's state while the lock lives (a field commit, a loaded profile)
// tells the lock instead (SetEnabledAtEnd): the control stays disabled and
// gets that state at the end, ahead of the "back enabled" rule. One lock per
// transfer, released on every path: final report, stop, or the panel going
// away. GUI thread only.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

class CTransferLock {
public:
    using Lookup = std::function<QWidget*(int id)>;

    CTransferLock(const Lookup& lookup, std::initializer_list<int> locked, std::initializer_list<int> enableAtEnd);
    ~CTransferLock();
    CTransferLock(const CTransferLock&) = delete;
    CTransferLock& operator=(const CTransferLock&) = delete;

    // The state w takes when the lock ends; false (nothing recorded) when
    // the lock does not hold w, which the caller then changes itself.
    bool SetEnabledAtEnd(const QWidget* w, bool enabled);

private:
    std::vector<std::pair<QPointer<QWidget>, bool>> m_restore;   // control, enabled at the end
};

#pragma once
// CTransferLock: the controls a running transfer must keep the user away
// from, disabled for exactly as long as the lock lives. Construction records
// each control's enabled state and disables it; destruction gives every
// control its state back, except the ones named to come back enabled (the
// commands a finished transfer always offers again). One lock per transfer,
// released on every path: final report, stop, or the panel going away.
// GUI thread only.
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

private:
    std::vector<std::pair<QPointer<QWidget>, bool>> m_restore;   // control, enabled at the end
};

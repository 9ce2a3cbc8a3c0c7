#include "ui/panel/transfer_lock.h"

#include <algorithm>

CTransferLock::CTransferLock(const Lookup& lookup, std::initializer_list<int> locked,
                             std::initializer_list<int> enableAtEnd)
{
    for (int id : locked) {
        QWidget* w = lookup(id);
        if (!w)
            continue;
        const bool always = std::find(enableAtEnd.begin(), enableAtEnd.end(), id) != enableAtEnd.end();
        m_restore.emplace_back(w, always || w->isEnabled());
        w->setEnabled(false);
    }
}

CTransferLock::~CTransferLock()
{
    for (const auto& [w, enabled] : m_restore)
        if (w)
            w->setEnabled(enabled);
}

bool CTransferLock::SetEnabledAtEnd(const QWidget* w, bool enabled)
{
    if (!w)
        return false;
    const auto held = std::find_if(m_restore.begin(), m_restore.end(), [w](const auto& r) { return r.first == w; });
    if (held == m_restore.end())
        return false;
    held->second = enabled;
    return true;
}

// The transfer lock gives every control back exactly once, as it found it or
// enabled when named so, on whatever path the lock ends.
#include "ui/panel/transfer_lock.h"

#include <QPushButton>
#include <gtest/gtest.h>
#include <map>
#include <memory>

TEST(TransferLock, RestoresEachControlEnablesTheNamedOnesAndLearnedEndStatesWin)
{
    QWidget panel;
    std::map<int, QPushButton*> controls;
    for (int id : {1, 2, 3, 4, 5, 6})
        controls[id] = new QPushButton(&panel);
    // Disabled before: 2 stays so, 3 is named to come back, 5 learns its end state.
    for (int id : {2, 3, 5})
        controls[id]->setEnabled(false);
    QPushButton free(&panel);
    const CTransferLock::Lookup lookup = [&](int id) -> QWidget* {
        auto it = controls.find(id);
        return it == controls.end() ? nullptr : it->second;
    };

    auto lock = std::make_unique<CTransferLock>(lookup, std::initializer_list<int>{1, 2, 3, 4, 5, 6, 99},
                                                std::initializer_list<int>{3, 6});
    for (int id : {1, 2, 3, 4, 5, 6})
        EXPECT_FALSE(controls[id]->isEnabled()) << id;
    EXPECT_TRUE(lock->SetEnabledAtEnd(controls[5], true));
    EXPECT_TRUE(lock->SetEnabledAtEnd(controls[6], false));   // learned later than the rule: it wins
    EXPECT_FALSE(lock->SetEnabledAtEnd(&free, false));        // not held: the caller's business
    EXPECT_FALSE(lock->SetEnabledAtEnd(nullptr, true));
    EXPECT_FALSE(controls[5]->isEnabled());   // held controls stay disabled meanwhile
    // A control that goes away while locked is skipped at the end.
    delete controls[4];
    controls.erase(4);
    // Something else enabling a locked control meanwhile does not survive
    // the end either: the lock's record wins.
    controls[2]->setEnabled(true);
    lock.reset();
    QString enabled;
    for (const auto& [id, control] : controls)
        enabled += control->isEnabled() ? '1' : '0';
    EXPECT_EQ(enabled, "10110");   // controls 1, 2, 3, 5, 6
    EXPECT_TRUE(free.isEnabled());
}

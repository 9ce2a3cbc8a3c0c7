// The transfer lock gives every control back exactly once, as it found it or
// enabled when named so, on whatever path the lock ends.
#include "ui/panel/transfer_lock.h"

#include <QPushButton>
#include <gtest/gtest.h>
#include <map>
#include <memory>

TEST(TransferLock, RestoresEachControlOrEnablesTheNamedOnes)
{
    QWidget panel;
    std::map<int, QPushButton*> controls;
    for (int id : {1, 2, 3, 4})
        controls[id] = new QPushButton(&panel);
    controls[2]->setEnabled(false);   // disabled before: stays so
    controls[3]->setEnabled(false);   // disabled before, but named to come back
    const CTransferLock::Lookup lookup = [&](int id) -> QWidget* {
        auto it = controls.find(id);
        return it == controls.end() ? nullptr : it->second;
    };

    auto lock = std::make_unique<CTransferLock>(lookup, std::initializer_list<int>{1, 2, 3, 4, 99},
                                                std::initializer_list<int>{3});
    for (int id : {1, 2, 3, 4})
        EXPECT_FALSE(controls[id]->isEnabled()) << id;
    // A control that goes away while locked is skipped at the end.
    delete controls[4];
    controls.erase(4);
    // Something else enabling a locked control meanwhile does not survive
    // the end either: the lock's record wins.
    controls[2]->setEnabled(true);
    lock.reset();
    EXPECT_TRUE(controls[1]->isEnabled());
    EXPECT_FALSE(controls[2]->isEnabled());
    EXPECT_TRUE(controls[3]->isEnabled());
}

TEST(TransferLock, LearnsTheEndStateOfAHeldControlAndOverridesTheNamedOnes)
{
    QWidget panel;
    QPushButton held(&panel), named(&panel), free(&panel);
    const CTransferLock::Lookup lookup = [&](int id) -> QWidget* { return id == 1 ? &held : id == 2 ? &named : nullptr; };
    held.setEnabled(false);
    auto lock = std::make_unique<CTransferLock>(lookup, std::initializer_list<int>{1, 2},
                                                std::initializer_list<int>{2});
    EXPECT_TRUE(lock->SetEnabledAtEnd(&held, true));
    EXPECT_TRUE(lock->SetEnabledAtEnd(&named, false));   // learned later than the rule: it wins
    EXPECT_FALSE(lock->SetEnabledAtEnd(&free, false));   // not held: the caller's business
    EXPECT_FALSE(lock->SetEnabledAtEnd(nullptr, true));
    EXPECT_FALSE(held.isEnabled());   // held controls stay disabled meanwhile
    lock.reset();
    EXPECT_TRUE(held.isEnabled());
    EXPECT_FALSE(named.isEnabled());
    EXPECT_TRUE(free.isEnabled());
}

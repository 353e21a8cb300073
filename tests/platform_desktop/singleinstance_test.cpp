#include "platform/singleinstance.h"

#include <gtest/gtest.h>

#include "children.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using ov::platform::SingleInstance;
using State = SingleInstance::State;

TEST(SingleInstance, SecondProcessFindsTheLockHeldUntilTheOwnerLetsGo) {
    ov::test::TempHome home;
    auto child = ov::test::startChild(u"lock-hold"_s);
    ASSERT_TRUE(ov::test::waitForLine(*child, u"locked"_s));

    SingleInstance lock(u"OvTestLock"_s);
    EXPECT_EQ(lock.acquire(), State::Held);
    EXPECT_FALSE(lock.isOwner());

    child->closeWriteChannel();  // the child releases and ends
    EXPECT_EQ(ov::test::childExitCode(*child), 0);
    EXPECT_EQ(lock.acquire(), State::Owner);
    EXPECT_EQ(lock.acquire(), State::Owner);  // asking again keeps it
}

TEST(SingleInstance, LockOfAKilledProcessIsTakenOver) {
    ov::test::TempHome home;
    auto child = ov::test::startChild(u"lock-hold"_s);
    ASSERT_TRUE(ov::test::waitForLine(*child, u"locked"_s));
    child->kill();
    child->waitForFinished(10000);

    SingleInstance lock(u"OvTestLock"_s);
    EXPECT_EQ(lock.acquire(), State::Owner);
}

TEST(SingleInstance, SameProcessSecondObjectAndBadNames) {
    ov::test::TempHome home;
    SingleInstance first(u"OvTestLock"_s);
    ASSERT_EQ(first.acquire(), State::Owner);
    SingleInstance second(u"OvTestLock"_s);
    EXPECT_EQ(second.acquire(), State::Held);
    first.release();
    EXPECT_EQ(second.acquire(), State::Owner);

    for (const QString& bad : {QString(), u"a/b"_s, u".."_s})
        EXPECT_EQ(SingleInstance(bad).acquire(), State::Failed) << bad.toStdString();
}

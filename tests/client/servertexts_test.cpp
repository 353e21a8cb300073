#include "client/mainwindow/servertexts.h"

#include <gtest/gtest.h>

#include "core/cipher.h"
#include "core/datetime.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;
using namespace ov;

TEST(ServerTexts, ClientTokenIsTheEncipheredTaggedText) {
    const TDateTime at = TextToDateTime(u"2026-12-11 08:05:09"_s);
    EXPECT_EQ(DecryptString(ClientToken(u"tok-1"_s, 7, at), 1),
              u"[R]7[/R][U]tok-1[/U][Dt]2026-12-11 08:05:09[/Dt]"_s);

    const QString fresh = DecryptString(ClientToken(u"tok-1"_s), 1);
    const int random = ReadTagValue(fresh, u"R"_s).toInt();
    EXPECT_TRUE(random >= 0 && random <= 999) << random;
    EXPECT_EQ(ReadTagValue(fresh, u"U"_s), u"tok-1"_s);
}

TEST(ServerTexts, SecurityLevelsKeepCompleteItemsInReplyOrder) {
    const TScInfoArray infos = ParseScInfos(
        u" 3 , 机密 , Secret ;1,公开,Public;x,内部,Internal;2,,Empty;4,a,b,c;;5,只有"_s);
    ASSERT_EQ(infos.size(), 3);
    EXPECT_EQ(infos[0].SC, 3);
    EXPECT_EQ(infos[0].CnName, u"机密"_s);
    EXPECT_EQ(infos[0].EngName, u"Secret"_s);
    EXPECT_EQ(infos[1].SC, 1);
    EXPECT_EQ(infos[2].SC, 0);  // not a number
    EXPECT_EQ(infos[2].EngName, u"Internal"_s);
    EXPECT_TRUE(ParseScInfos(QString()).isEmpty());
}

TEST(ServerTexts, MessagePollTiming) {
    const struct {
        QString seconds;
        double days;
    } spaces[] = {
        {u"120"_s, 120 / 86400.0}, {u"x"_s, 60 / 86400.0},    {u"0"_s, 60 / 86400.0},
        {u"-5"_s, 60 / 86400.0},   {QString(), 60 / 86400.0},
    };
    for (const auto& s : spaces)
        EXPECT_DOUBLE_EQ(MsgSpaceFromSeconds(s.seconds), s.days) << s.seconds.toStdString();

    const TDateTime now = 46000.5;
    EXPECT_DOUBLE_EQ(SnoozeUntil(1, now), now + 0.041677);
    EXPECT_DOUBLE_EQ(SnoozeUntil(2, now), now + 1);
    EXPECT_DOUBLE_EQ(SnoozeUntil(3, now), now + 7);
    EXPECT_DOUBLE_EQ(SnoozeUntil(4, now), now);

    const double minute = 60 / 86400.0;
    EXPECT_TRUE(UserMsgDue(now, now - 2 * minute, minute, now - 1));
    EXPECT_FALSE(UserMsgDue(now, now - minute / 2, minute, now - 1));  // too soon
    EXPECT_FALSE(UserMsgDue(now, now - 2 * minute, minute, SnoozeUntil(2, now - 0.5)));
    EXPECT_FALSE(UserMsgDue(now, now - 2 * minute, minute, now));  // snooze ends now
}

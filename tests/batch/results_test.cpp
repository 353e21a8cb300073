// What a transfer's result code means for the file, as a table.

#include "client/batch/resultrules.h"

#include <gtest/gtest.h>

namespace ov {
namespace {

constexpr double kSecond = 1.0 / 86400;

TEST(ResultRules, Uploads) {
    struct Case {
        int code;
        double elapsed;
        bool exists;
        TFileOutcome outcome;
        int kept;
    } cases[] = {
        {3, 5 * kSecond, true, TFileOutcome::Done, 3},
        {2, 1 * kSecond, true, TFileOutcome::Failed, 101},
        {2, 5 * kSecond, true, TFileOutcome::Failed, 2},
        {5, 0, true, TFileOutcome::Failed, 5},
        {13, 0, true, TFileOutcome::Failed, 13},
        {37, 0, true, TFileOutcome::Failed, 37},
        {4, 0, true, TFileOutcome::DoneWithError, 4},
        {11, 0, true, TFileOutcome::Failed, 11},
        {21, 0, true, TFileOutcome::Failed, 21},
        {53, 0, true, TFileOutcome::Failed, 53},
        {100, 0, true, TFileOutcome::Failed, 100},
        {127, 0, true, TFileOutcome::Failed, 127},
        {12, 0, true, TFileOutcome::Failed, 12},
        {12, 0, false, TFileOutcome::DoneWithError, 12},
        {8, 0, false, TFileOutcome::DoneWithError, 8},
    };
    for (const Case& c : cases) {
        const TResultRule r = ClassifyUpload(std::uint8_t(c.code), c.elapsed, c.exists);
        EXPECT_EQ(r.Outcome, c.outcome) << c.code;
        EXPECT_EQ(r.Code, c.kept) << c.code;
    }
}

TEST(ResultRules, Downloads) {
    struct Case {
        int code;
        TFileOutcome outcome;
    } cases[] = {
        {10, TFileOutcome::Done},          {2, TFileOutcome::Failed},
        {5, TFileOutcome::Failed},         {7, TFileOutcome::Failed},
        {11, TFileOutcome::Failed},        {127, TFileOutcome::Failed},
        {52, TFileOutcome::DoneWithError}, {8, TFileOutcome::DoneWithError},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyDownload(std::uint8_t(c.code), true).Outcome, c.outcome) << c.code;
    EXPECT_TRUE(IsConnectionFailure(101));
    EXPECT_FALSE(IsConnectionFailure(127));
    EXPECT_TRUE(IsAutoRetryCode(127));
}

}  // namespace
}  // namespace ov

#include <gtest/gtest.h>

#include "documents/pdf/pdfviewertype.h"
#include "platform/viewerprobe.h"

using namespace Qt::StringLiterals;
using ov::platform::ScriptedViewerProbe;

namespace {

struct ProbeCase {
    const char* name;
    QStringList keys;
    int type;
};

// The dispatchers ask the probe the program has in place; this system's answers the preferred
// reader, which no registration of the others outranks.
TEST(GetPdfViewerType, FollowsTheInstalledProbe) {
    const QString adobe = u"CLSID\\{CA8A9780-280D-11CF-A24D-444553540000}\\Control"_s;
    const QString sursen = u"Wow6432Node\\CLSID\\{34E23F0A-1F7A-423B-826A-BB780154357D}\\Control"_s;
    const QString foxit = u"CLSID\\{9A9F603B-51A8-4630-AE99-4BBF01675575}"_s;
    const std::vector<ProbeCase> cases = {
        {"nothing", {}, 0},
        {"all three", {adobe, sursen, foxit}, 1},
        {"sursen and foxit", {sursen, foxit}, 3},
        {"foxit", {foxit}, 2},
    };
    for (const ProbeCase& c : cases) {
        auto probe = std::make_unique<ScriptedViewerProbe>();
        for (const QString& key : c.keys)
            probe->setKey(key);
        ov::platform::setViewerProbe(std::move(probe));
        EXPECT_EQ(ov::GetPdfViewerType(), c.type) << c.name;
    }
    ov::platform::setViewerProbe(nullptr);
    EXPECT_EQ(ov::GetPdfViewerType(), 1) << "the built-in viewer";
}

}  // namespace

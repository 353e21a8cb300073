// An office document edited inside the control with the machine's LibreOffice, as a page drives
// it through ovctrl-host against the test server; the cancel releases the file.

#include <gtest/gtest.h>

#include "hostserver.h"
#include "office/officetestsupport.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

TEST(ControlOfficeEditing, EditFileOpensTheOfficeEditorAndCancelReleasesTheFile) {
    const auto office = realLibreOffice();
    if (!office || office->python.isEmpty()) GTEST_SKIP() << "no LibreOffice with its bridge";
    TempHome home;
    Server server;
    ASSERT_EQ(registerControl().exitCode, 0);
    const HostRun run =
        host({QStringLiteral(OV_SCRIPTS_DIR "/editing_office.js"), server.address(),
              server.identity(), QString::number(demo::TrackedWordFile), u"tracked.docx"_s});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"office editing ok"_s)) << run.output.toStdString();
    std::lock_guard lock(server.model.mutex);
    EXPECT_EQ(server.model.files.at(demo::TrackedWordFile).lockedBy, 0);
}

}  // namespace
}  // namespace ov::test

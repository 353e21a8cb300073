// Online editing inside the control as a page drives it through ovctrl-host against the test
// server: a text file edited and uploaded as a new version, an edit cancelled, and types that
// have no editor.

#include <gtest/gtest.h>

#include "core/globalconfig.h"
#include "hostserver.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

constexpr std::int64_t NotesFile = 5001;

TEST(ControlEditing, TextFileEditedAndUploadedThenAnEditCancelled) {
    TempHome home;
    Server server;
    server.model.addFile(NotesFile, demo::MyDocsFolder, u"notes.txt"_s, 6, 46000.5);
    server.files.setContent(NotesFile, "notes\r\n");
    ASSERT_EQ(registerControl().exitCode, 0);
    const HostRun run = host({QStringLiteral(OV_SCRIPTS_DIR "/editing.js"), server.address(),
                              server.identity(), QString::number(NotesFile), u"notes.txt"_s});
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"editing ok"_s)) << run.output.toStdString();
    EXPECT_EQ(server.files.content(NotesFile), "typed notes\r\n");
    std::lock_guard lock(server.model.mutex);
    const DocFile& notes = server.model.files.at(NotesFile);
    EXPECT_EQ(notes.version, 2);   // one upload
    EXPECT_EQ(notes.lockedBy, 0);  // the cancel released the second edit
}

}  // namespace
}  // namespace ov::test

// A timer tick takes the command file into the queue and carries out one command.

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "client/app/composition.h"
#include "client/mainwindow/mainwindow.h"
#include "core/paths.h"
#include "fixture.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

class Tick : public test::DispatchTest {
protected:
    QString commandFile() const { return GetUserDataPath() + u"WebCmd.txt"_s; }
    void writeRaw(const QByteArray& bytes) const {
        QFile file(commandFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

}  // namespace

TEST_F(Tick, OneCommandPerTickInArrivalOrder) {
    WebCommand().Add({11, u"first"_s});
    ASSERT_TRUE(WriteWebCmdFile(commandFile(), {12, u"second"_s}, 0));

    module->DoWebMessage();
    EXPECT_EQ(clipboard(), u"first"_s);
    EXPECT_FALSE(QFile::exists(commandFile()));
    EXPECT_EQ(WebCommand().Count(), 1);

    module->DoWebMessage();
    EXPECT_EQ(clipboard(), u"second"_s);
    module->DoWebMessage();  // nothing left: nothing happens
    EXPECT_EQ(clipboard(), u"second"_s);
    EXPECT_EQ(hint(), QString());
}

TEST_F(Tick, MalformedFileIsDeletedAndShowsTheParameterError) {
    for (const QByteArray& bytes : {QByteArray("garbage"), QByteArray("[Code]13[/Code]"),
                                    QByteArray("[Code]x[/Code][Cmd]a[/Cmd]"), QByteArray()}) {
        SCOPED_TRACE(bytes.toStdString());
        hideHint();
        writeRaw(bytes);
        module->DoWebMessage();
        EXPECT_FALSE(QFile::exists(commandFile()));
        // A code that is no number is 0 and does nothing; a missing text is a parameter error.
        EXPECT_EQ(hint(), bytes.contains("[Cmd]a") ? QString() : u"Parameter error!"_s);
    }
}

TEST_F(Tick, APipeOrAFolderInTheFilesPlaceNeitherBlocksNorStopsLaterCommands) {
    // Opening a pipe that nobody writes would block the timer for good.
    ASSERT_EQ(::mkfifo(QFile::encodeName(commandFile()).constData(), 0600), 0);
    module->DoWebMessage();
    EXPECT_FALSE(QFileInfo(commandFile()).exists());
    EXPECT_EQ(hint(), QString());

    ASSERT_TRUE(QDir().mkdir(commandFile()));
    module->DoWebMessage();
    QDir().rmdir(commandFile());
    EXPECT_TRUE(QDir(GetUserDataPath()).entryList({u"WebCmd.txt.*"_s}, QDir::AllEntries).isEmpty());
    ASSERT_TRUE(WriteWebCmdFile(commandFile(), {11, u"later"_s}, 0));
    module->DoWebMessage();
    EXPECT_EQ(clipboard(), u"later"_s);
}

TEST_F(Tick, AFailingHandlerShowsItsErrorAndTheNextCommandStillRuns) {
    module->Forms().SetWorkPath = [](std::int32_t) { throw std::runtime_error("disk full"); };
    WebCommand().Add({16, u"[folderId]1[/folderId]"_s});
    WebCommand().Add({11, u"after"_s});
    module->DoWebMessage();
    EXPECT_EQ(hint(), u"disk full"_s);
    module->DoWebMessage();
    EXPECT_EQ(clipboard(), u"after"_s);
}

TEST_F(Tick, TheRunningInstancesWindowDispatchesOnItsWorkTimer) {
    TQUEXClientFrm window;
    ConnectWebCommands(window, *module);
    window.ListenOnBus();
    window.SetLogin(true);
    WebCommand().Add({11, u"from the timer"_s});
    EXPECT_TRUE(test::processEventsUntil([&] { return clipboard() == u"from the timer"_s; }));
    EXPECT_EQ(WebCommand().Count(), 0);
}

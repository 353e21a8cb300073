#include "client/webcommands/webcmd.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <thread>

#include "platform/codepage.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

QByteArray readBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class WebCmdFile : public ::testing::Test {
protected:
    void SetUp() override { platform::setSystemCodePageOverride(936); }
    void TearDown() override { platform::setSystemCodePageOverride(0); }

    // Nothing but the command file may be left in the folder.
    QStringList leftovers() const {
        return QDir(home.path()).entryList(QDir::Files | QDir::Hidden);
    }

    test::TempHome home;
    const QString file = home.file(u"WebCmd.txt"_s);
};

}  // namespace

TEST_F(WebCmdFile, WrittenInTheSystemCodePageAndTakenBack) {
    const TWebCmd cmd{13, u"[filekey]5[/filekey][filename]中.doc[/filename]"_s};
    ASSERT_TRUE(WriteWebCmdFile(file, cmd, 0));
    EXPECT_EQ(readBytes(file),
              QByteArray("[Code]13[/Code][Cmd][filekey]5[/filekey][filename]\xD6\xD0.doc"
                         "[/filename][/Cmd]"));
    EXPECT_EQ(TakeWebCmdFile(file), cmd);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(TakeWebCmdFile(file), std::nullopt);
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u' ').toStdString();
}

TEST_F(WebCmdFile, TakesTheOtherWritersFormAndRefusesOversizedFiles) {
    QFile other(file);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[code]13[/code][cmd] x [/cmd]");
    other.close();
    EXPECT_EQ(TakeWebCmdFile(file), (TWebCmd{13, u"x"_s}));

    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Code]11[/Code][Cmd]");
    other.write(QByteArray(2 * 1024 * 1024, 'a'));
    other.close();
    EXPECT_EQ(TakeWebCmdFile(file), std::nullopt);
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(WebCmdFile, ASecondCommandWaitsUntilTheFirstIsTaken) {
    ASSERT_TRUE(WriteWebCmdFile(file, {11, u"first"_s}, 0));
    std::optional<TWebCmd> takenFirst;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        takenFirst = TakeWebCmdFile(file);
    });
    ASSERT_TRUE(WriteWebCmdFile(file, {12, u"second"_s}, 5000));
    reader.join();
    EXPECT_EQ(takenFirst, (TWebCmd{11, u"first"_s}));
    EXPECT_EQ(TakeWebCmdFile(file), (TWebCmd{12, u"second"_s}));
}

TEST_F(WebCmdFile, AnUntakenCommandIsReplacedAfterTheTimeLimit) {
    ASSERT_TRUE(WriteWebCmdFile(file, {11, u"old"_s}, 0));
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(WriteWebCmdFile(file, {12, u"new"_s}, 200));
    EXPECT_GE(timer.elapsed(), 200);
    EXPECT_EQ(TakeWebCmdFile(file), (TWebCmd{12, u"new"_s}));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST(WebCommandQueue, FirstInFirstOut) {
    TWebCommand queue;
    TWebCmd cmd;
    EXPECT_FALSE(queue.Pop(cmd));
    queue.Add({11, u"a"_s});
    queue.Add({12, u"b"_s});
    ASSERT_TRUE(queue.Pop(cmd));
    EXPECT_EQ(cmd, (TWebCmd{11, u"a"_s}));
    ASSERT_TRUE(queue.Pop(cmd));
    EXPECT_EQ(cmd, (TWebCmd{12, u"b"_s}));
    EXPECT_FALSE(queue.Pop(cmd));
}

// The task's file index: its files byte for byte, the journal replay, the filters, the
// selection order, removal, the lock against a second opener, and two threads at once.

#include "client/batch/fileindex.h"

#include "core/datetime.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <thread>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

// The UTF-16LE bytes of an ASCII text, spelled out here rather than through an encoder.
QByteArray Utf16Le(const char* ascii) {
    QByteArray bytes;
    for (const char* p = ascii; *p; ++p) {
        bytes.append(*p);
        bytes.append('\0');
    }
    return bytes;
}

QByteArray ReadAll(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TTidyFile Record(std::int64_t key, std::int64_t size, const QString& path) {
    TTidyFile f;
    f.PathHash = key;
    f.FolderId = 7;
    f.Size = size;
    f.ModifyDT = 45000.5;
    f.Path = path;
    return f;
}

class FileIndexTest : public ::testing::Test {
protected:
    std::unique_ptr<TFileIndex> Open(std::int32_t id = 42) {
        auto index = std::make_unique<TFileIndex>();
        index->TaskId = id;
        index->Init(dir.path());
        EXPECT_TRUE(index->Load()) << index->LastError().toStdString();
        return index;
    }
    QString Local(const QString& name) { return dir.filePath(u"files/"_s + name); }
    void MakeFile(const QString& name, const QByteArray& data = "x") {
        QDir().mkpath(dir.filePath(u"files"_s));
        WriteAll(Local(name), data);
    }

    QTemporaryDir dir;
};

TEST_F(FileIndexTest, FilesAreWrittenByteForByte) {
    auto index = Open();
    index->AppendFileInfoEx(Record(123456789, 4096, u"Docs\\b.txt"_s));
    index->UpdateState(123456789, DL_Done);
    index->UpdateState(555, DL_Done);  // not listed: nothing written
    EXPECT_EQ(ReadAll(index->FileListName()),
              Utf16Le("123456789             7                     4096                  "
                      "45000500000000        Docs\\b.txt\r\n"));
    EXPECT_EQ(ReadAll(index->StateFileName()),
              Utf16Le("123456789             0                     100 \r\n"));
}

TEST_F(FileIndexTest, ReplayKeepsTheFirstLineAndTheLastState) {
    const QString fln = dir.filePath(u"9.fln"_s), std = dir.filePath(u"9.std"_s);
    WriteAll(fln, Utf16Le("5                     0                     100                   "
                          "45000500000000        /a\r\n"
                          "5                     0                     999                   "
                          "45000500000000        /dup\r\n"
                          "bad line\r\n"
                          "6                     0                     50                    "
                          "45000500000000        /b\r\n"
                          "7                     0                     20                    "
                          "45000500000000        /c\r\n"));
    WriteAll(std, Utf16Le("5                     0                     100 \r\n"
                          "5                     0                     99  \r\n"
                          "6                     0                     100 \r\n"
                          "6                     0                     100 \r\n"
                          "8                     0                     100 \r\n"
                          "x\r\n"));
    auto index = Open(9);
    EXPECT_EQ(index->TotalFileSize(), 170);
    EXPECT_EQ(index->FinishedSize(), 50);  // each done file once; a removed one not at all
    EXPECT_EQ(index->GetAllCount(0), 2);
    EXPECT_EQ(index->GetUndealFileCount(0), 1);
    std::map<std::int64_t, QString> paths;
    index->ListFiles([&](const TTidyFile& f) { paths[f.PathHash] = f.Path; });
    EXPECT_EQ(paths[5], u"/a"_s);
    TTidyFile next;
    ASSERT_TRUE(index->GetTidyFile(0, next));
    EXPECT_EQ(next.PathHash, 7);
}

TEST_F(FileIndexTest, FiltersAndSkippedNames) {
    MakeFile(u"Thumbs.db"_s);
    MakeFile(u"report.doc_kx0.doc"_s);
    MakeFile(u"a_kx.txt"_s);
    MakeFile(u"a_kxA.txt"_s);
    MakeFile(u"big.doc"_s, QByteArray(5000, 'x'));
    MakeFile(u"small.pdf"_s, QByteArray(10, 'x'));
    auto index = Open();
    index->AppendFileInfo({Local(u"Thumbs.db"_s), Local(u"report.doc_kx0.doc"_s),
                           Local(u"a_kx.txt"_s), Local(u"a_kxA.txt"_s), QString()});
    EXPECT_EQ(index->GetAllCount(0), 1);
    index->MinFileSize = 100;
    index->MaxFileSize = 10000;
    index->AppendFileInfoEx(Local(u"small.pdf"_s));
    index->AppendFileInfoEx(Local(u"big.doc"_s));
    EXPECT_EQ(index->GetAllCount(0), 2);
    index->MinFileSize = index->MaxFileSize = 0;
    index->SetFileTypes({42, 5});
    index->AppendFileInfoEx(Local(u"small.pdf"_s));
    EXPECT_EQ(index->GetAllCount(0), 3);
    QStringList skipped;
    index->OnSkipFile = [&](const QString& line) { skipped.append(line); };
    index->AppendFileInfoEx(u"/d/a\nb.txt"_s);
    index->AppendFileInfoEx(u"/"_s + QString(1100, u'a'));
    EXPECT_EQ(skipped.size(), 2);
    EXPECT_EQ(index->GetAllCount(0), 3);
}

TEST_F(FileIndexTest, TimeFilterAndAChangedFileGetsANewKey) {
    MakeFile(u"a.txt"_s, "one");
    auto index = Open();
    index->MinDT = Now() + 1;
    index->MaxDT = Now() + 2;
    index->AppendFileInfoEx(Local(u"a.txt"_s));
    EXPECT_EQ(index->GetAllCount(0), 0);
    index->MinDT = Now();
    index->MaxDT = Now() - 1;
    index->AppendFileInfoEx(Local(u"a.txt"_s));
    index->AppendFileInfoEx(Local(u"a.txt"_s));
    EXPECT_EQ(index->GetAllCount(0), 1);
    MakeFile(u"a.txt"_s, "longer");
    index->AppendFileInfoEx(Local(u"a.txt"_s));
    EXPECT_EQ(index->GetAllCount(0), 2);
}

TEST_F(FileIndexTest, NewFilesFirstAndFiveAttempts) {
    auto index = Open();
    index->AppendFileInfoEx(Record(10, 1, u"/a"_s));
    index->AppendFileInfoEx(Record(-20, 1, u"/b"_s));
    TTidyFile f;
    ASSERT_TRUE(index->GetTidyFile(0, f));
    EXPECT_EQ(f.PathHash, -20);  // signed key order
    ASSERT_TRUE(index->GetTidyFile(0, f));
    EXPECT_EQ(f.PathHash, 10);
    index->UpdateState(10, DL_Done);
    index->AppendFileInfoEx(Record(30, 1, u"/c"_s));
    ASSERT_TRUE(index->GetTidyFile(0, f));
    EXPECT_EQ(f.PathHash, 30);  // a new file before the retry of -20
    index->UpdateState(30, DL_Done);
    int attempts = 1;
    while (index->GetTidyFile(0, f)) {
        EXPECT_EQ(f.PathHash, -20);
        ++attempts;
    }
    EXPECT_EQ(attempts, 5);
    EXPECT_EQ(f.PathHash, -1);
    QStringList undone;
    index->GetUndealFileInfo(undone);
    EXPECT_EQ(undone, QStringList{u"/b"_s});
}

TEST_F(FileIndexTest, RemovalResetAndRestart) {
    {
        auto index = Open();
        index->AppendFileInfoEx(Record(1, 1, u"/a"_s));
        index->AppendFileInfoEx(Record(2, 1, u"/b"_s));
        index->RemoveFiles({2, 77});
        EXPECT_EQ(ReadAll(index->RemovedFileName()), QByteArray("2\r\n77\r\n"));
        EXPECT_EQ(index->GetAllCount(0), 1);
        TTidyFile f;
        index->GetTidyFile(0, f);  // tried, not journalled: new again after a restart
    }
    auto index = Open();
    EXPECT_EQ(index->GetAllCount(0), 1);
    EXPECT_EQ(index->GetUndealFileCount(0), 1);
    index->StateResetOfDownload();
    EXPECT_EQ(index->GetUndealFileCount(0), 2);
    index->Clear();
    EXPECT_FALSE(QFile::exists(index->FileListName()));
    EXPECT_FALSE(QFile::exists(index->RemovedFileName()));
}

TEST_F(FileIndexTest, ABegunTransferIsKnownAfterARestartUntilItsEndIsJournalled) {
    {
        auto index = Open();
        index->AppendFileInfoEx(Record(1, 1, u"/a"_s));
        index->AppendFileInfoEx(Record(2, 1, u"/b"_s));
        index->MarkBegun(1);
        index->MarkBegun(2);
        index->UpdateState(2, DL_Done);
        EXPECT_FALSE(index->BegunInEarlierLife(1));
    }
    auto index = Open();
    EXPECT_TRUE(index->BegunInEarlierLife(1));
    EXPECT_FALSE(index->BegunInEarlierLife(2));
    EXPECT_EQ(index->GetUndealFileCount(0), 1);  // the begun file is new again
    TTidyFile f;
    ASSERT_TRUE(index->GetTidyFile(0, f));
    EXPECT_EQ(f.PathHash, 1);
    EXPECT_EQ(f.Dealed, 1);
}

TEST_F(FileIndexTest, ASecondOpenerIsRefused) {
    auto first = Open();
    TFileIndex second;
    second.TaskId = 42;
    second.Init(dir.path());
    EXPECT_FALSE(second.Load());
    EXPECT_FALSE(second.LastError().isEmpty());
    first.reset();
    EXPECT_TRUE(second.Load());
}

TEST_F(FileIndexTest, TwoThreadsAppendAndUpdateAtOnce) {
    auto index = Open();
    constexpr int n = 2000;
    std::thread adder([&] {
        for (int i = 1; i <= n; ++i)
            index->AppendFileInfoEx(Record(i, 1, u"/f"_s + QString::number(i)));
    });
    std::thread taker([&] {
        int done = 0;
        while (done < n) {
            TTidyFile f;
            if (index->GetTidyFile(0, f)) {
                index->UpdateState(f.PathHash, DL_Done);
                ++done;
            }
        }
    });
    adder.join();
    taker.join();
    index.reset();
    auto again = Open();
    EXPECT_EQ(again->GetAllCount(0), n);
    EXPECT_EQ(again->GetUndealFileCount(0), 0);
    EXPECT_EQ(again->FinishedSize(), n);
}

}  // namespace
}  // namespace ov

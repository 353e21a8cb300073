// The server work of online editing against the test server over loopback, plain and TLS:
// which download, upload and release answers count, what the check-out record says after each,
// and that a refused upload never loses the only copy of the user's edits.

#include "core/resultcode.h"
#include "fixture.h"

#include <QFileInfo>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

class EditServerTest : public ::testing::TestWithParam<bool> {
protected:
    EditServerTest() : f(GetParam()) { f.files.setContent(demo::ReportFile, content); }

    QString LocalPath(const QString& name = u"report.txt_1209151230507.txt"_s) {
        QDir().mkpath(f.home.file(u"work"_s));
        return f.home.file(u"work/"_s + name);
    }
    // An edited local copy of the report, downloaded first so that the user holds the lock.
    QString EditedCopy(const QByteArray& text) {
        const QString path = LocalPath();
        EXPECT_TRUE(DownloadForEdit(f.Server(), demo::ReportFile, path).ok());
        EXPECT_TRUE(WriteAll(path, text));
        return path;
    }
    QStringList BackupFolders() {
        QStringList folders{f.home.file(u"docs/"_s), f.home.file(u"own/"_s)};
        for (const QString& folder : folders)
            QDir().mkpath(folder);
        return folders;
    }

    QByteArray content = "the report, first version\r\n";
    EditServerFixture f;
};

INSTANTIATE_TEST_SUITE_P(PlainAndTls, EditServerTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Tls" : "Plain"; });

TEST_P(EditServerTest, DownloadRecordsAndLocksOrReleasesAndLeavesNothing) {
    struct Case {
        const char* name;
        std::int64_t key;
        std::int32_t lockedBefore;
        std::uint8_t code;
        bool lockedAfter;
    } cases[] = {
        {"allowed", demo::ReportFile, 0, RC_CanDownload, true},
        {"no power", demo::PriceFile, 0, RC_NoPower, false},
        {"locked by another", demo::ReportFile, demo::OtherUser, RC_Locked, true},
        {"no such file", 999999, 0, RC_NoFile, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (f.model.file(c.key)) f.File(c.key).lockedBy = c.lockedBefore;
        const QString path = LocalPath(QString::fromLatin1(c.name) + u".txt"_s);
        const EditDownload result = DownloadForEdit(f.Server(), c.key, path);
        EXPECT_EQ(result.code, c.code);
        if (c.code == RC_CanDownload) {
            EXPECT_EQ(ReadAll(path), content);
            EXPECT_EQ(CheckoutRecordOf(f.IniPath(), c.key), path);
            EXPECT_EQ(f.LockedBy(c.key), demo::DemoUser);
        } else {
            // The reason is the download's, not the release's that follows it.
            QString reason;
            GetResultCodeText(c.code, HSL_ENG, reason);
            EXPECT_EQ(result.error, reason);
            EXPECT_FALSE(QFileInfo::exists(path));
            EXPECT_TRUE(CheckoutRecordOf(f.IniPath(), c.key).isEmpty());
            // The release after the refusal never takes another user's lock away.
            if (f.model.file(c.key)) {
                EXPECT_EQ(f.LockedBy(c.key), c.lockedBefore);
            }
        }
        if (f.model.file(c.key)) f.File(c.key).lockedBy = 0;
        DelCheckoutRecord(f.IniPath(), c.key);
    }
}

TEST_P(EditServerTest, UploadStoresOrKeepsAVerifiedCopy) {
    struct Case {
        const char* name;
        bool needsAudit;
        bool inAudit;
        std::optional<qint32> forced;
        std::uint8_t code;
        bool stored;
    } cases[] = {
        {"stored", false, false, {}, RC_CanUpload, true},
        {"taken for audit", true, false, {}, RC_EditAudit, true},
        {"in audit", false, true, {}, RC_InEditAudit, false},
        {"refused", false, false, RC_NoPower, RC_NoPower, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocFile& file = f.File(demo::ReportFile);
        file.editNeedsAudit = c.needsAudit;
        file.inWriteAudit = false;
        const QString path = EditedCopy("edited: " + QByteArray(c.name));
        file.inWriteAudit = c.inAudit;
        if (c.forced) f.files.setNext(NextTransfer{{}, *c.forced});
        const int versionBefore = file.version;
        const QStringList folders = BackupFolders();
        const EditUpload result = UploadEditVersion(f.Server(), demo::ReportFile, path, folders);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.stored(), c.stored);
        if (c.code == RC_CanUpload) {
            EXPECT_EQ(f.files.content(demo::ReportFile), "edited: " + QByteArray(c.name));
            EXPECT_EQ(file.version, versionBefore + 1);
        }
        if (c.stored) {
            EXPECT_TRUE(CheckoutRecordOf(f.IniPath(), demo::ReportFile).isEmpty());
            EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
            EXPECT_TRUE(result.backupPath.isEmpty());
        } else {
            EXPECT_EQ(CheckoutRecordOf(f.IniPath(), demo::ReportFile), path);
            EXPECT_FALSE(result.error.isEmpty());
            EXPECT_TRUE(result.backupOk);
            EXPECT_EQ(result.backupPath, folders.first() + QFileInfo(path).fileName());
            EXPECT_EQ(ReadAll(result.backupPath), ReadAll(path));
            QFile::remove(result.backupPath);
        }
        f.File(demo::ReportFile).lockedBy = 0;
    }
}

TEST_P(EditServerTest, ABackupNeverOverwritesAndFallsToTheNextFolder) {
    const QString path = EditedCopy("my edits");
    QStringList folders = BackupFolders();
    const QString taken = folders.first() + QFileInfo(path).fileName();
    WriteAll(taken, "someone else's file");
    f.files.setNext(NextTransfer{{}, RC_NoPower});
    EditUpload result = UploadEditVersion(f.Server(), demo::ReportFile, path, folders);
    EXPECT_TRUE(result.backupOk);
    EXPECT_EQ(result.backupPath, folders.at(1) + QFileInfo(path).fileName());
    EXPECT_EQ(ReadAll(taken), "someone else's file");
    EXPECT_EQ(ReadAll(result.backupPath), "my edits");

    // No folder takes it: the outcome says so.
    f.files.setNext(NextTransfer{{}, RC_NoPower});
    result = UploadEditVersion(f.Server(), demo::ReportFile, path, {folders.first()});
    EXPECT_FALSE(result.backupOk);
    EXPECT_EQ(ReadAll(path), "my edits");
}

TEST_P(EditServerTest, ReleaseErasesTheRecordOnlyWhenTheServerReleased) {
    struct Case {
        const char* name;
        std::int32_t holder;
        std::int32_t reply;
        bool recordKept;
    } cases[] = {
        {"own lock", demo::DemoUser, RC_Ok, false},
        {"another's lock", demo::OtherUser, RC_NotCheckedOut, true},
        {"no lock", 0, RC_NotCheckedOut, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AddCheckoutRecord(f.IniPath(), demo::ReportFile, u"/some/copy"_s);
        f.File(demo::ReportFile).lockedBy = c.holder;
        const EditLockReply reply = UnlockForEdit(f.Server(), demo::ReportFile, true);
        EXPECT_EQ(reply.reply, c.reply);
        EXPECT_EQ(!CheckoutRecordOf(f.IniPath(), demo::ReportFile).isEmpty(), c.recordKept);
        EXPECT_EQ(f.LockedBy(demo::ReportFile), c.reply == RC_Ok ? 0 : c.holder);
    }
}

TEST_P(EditServerTest, TheLockIsSeenByASecondClient) {
    // A file of a group both users belong to.
    f.files.setContent(demo::GearboxFile, content);
    const EditServer mine = f.Server(), theirs = f.Server(demo::OtherToken());
    ASSERT_TRUE(DownloadForEdit(mine, demo::GearboxFile, LocalPath(u"mine.dwg"_s)).ok());
    EXPECT_EQ(f.LockedBy(demo::GearboxFile), demo::DemoUser);
    EXPECT_EQ(DownloadForEdit(theirs, demo::GearboxFile, LocalPath(u"theirs.dwg"_s)).code, RC_Locked);
    EXPECT_EQ(LockForEdit(theirs, demo::GearboxFile).reply, RC_Locked);
    EXPECT_EQ(UnlockForEdit(theirs, demo::GearboxFile, false).reply, RC_NotCheckedOut);
    EXPECT_EQ(f.LockedBy(demo::GearboxFile), demo::DemoUser);
    EXPECT_EQ(UnlockForEdit(mine, demo::GearboxFile, true).reply, RC_Ok);
    EXPECT_TRUE(DownloadForEdit(theirs, demo::GearboxFile, LocalPath(u"theirs.dwg"_s)).ok());
    EXPECT_EQ(f.LockedBy(demo::GearboxFile), demo::OtherUser);
}

TEST_P(EditServerTest, ACopyGoesIntoAnotherFolderUnderOneExtension) {
    EXPECT_EQ(OtherFolderDisplayName(u"report.docx"_s, u"docx"_s), u"report.docx"_s);
    EXPECT_EQ(OtherFolderDisplayName(u"report"_s, u"docx"_s), u"report.docx"_s);
    const QString path = LocalPath(u"report.docx_1209151230507.docx"_s);
    WriteAll(path, "a copy");
    // A folder id beyond 32 bits reaches the server whole.
    const std::int64_t bigFolder = 0x100000000LL + demo::MyDocsFolder;
    f.model.addFolder(bigFolder, demo::DemoUser, 0, u"big"_s);
    EXPECT_EQ(UploadToOtherFolder(f.Server(), demo::DemoUser, bigFolder, path,
                                  OtherFolderDisplayName(u"report.docx"_s, u"docx"_s)),
              u"ok"_s);
    const auto stored = f.model.folderFiles(bigFolder);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first()->name, u"report.docx"_s);
    EXPECT_EQ(f.files.content(stored.first()->key), "a copy");
}

}  // namespace

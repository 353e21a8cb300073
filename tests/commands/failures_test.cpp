// Refusals and failures: requests without a valid token, an unreachable server, and the test
// server's fault modes reaching each way of running a command.

#include "core/netstream.h"
#include "fixture.h"
#include "support/ports.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

const QString ConnectionFailed = u"Network connection failed"_s;

using FailuresTest = CommandsTest;

// Every command that carries the token is refused when the token is missing or unknown.
TEST_P(FailuresTest, CommandsThatNeedTheTokenAreRefusedWithoutIt) {
    const TTranType codes[] = {TT_GetUserMsg,        TT_GetUserGroup,
                               TT_GetMyGroups,       TT_GetOrgStructure,
                               TT_GetOwnerFolders,   TT_GetSubFolders,
                               TT_LoadFolderFiles,   TT_ListFolder,
                               TT_GetFoldersDesc,    TT_GetFileName,
                               TT_GetResourceInfo,   TT_GetServerPath,
                               TT_CreateFolder,      TT_DelFolder,
                               TT_DelFile,           TT_CanDownloadFile,
                               TT_LockFile,          TT_UnLockFile,
                               TT_GetLastModifyTime, TT_IsInWriteAudit,
                               TT_GetNewVer,         TT_RetrieveFileDesc,
                               TT_UpdateFileDesc,    TT_GetServerFileInfo,
                               TT_WriteOprLog,       TT_UpdateFileExtInfo,
                               TT_GetDownloadFiles,  TT_SendFolderList,
                               TT_SendFileMsg,       TT_GetFileList,
                               TT_GetFolderList,     TT_GetAllUsersList,
                               TT_GetFilePrtList,    TT_GetLogs};
    for (const QString& prefix :
         {QString(), P(u"not-a-token"_s), P(u"5C3E0A9B7D2F41E8A6B4C1D0E9F87A62"_s)}) {
        for (const TTranType code : codes) {
            SCOPED_TRACE(int(code));
            QString reply;
            EXPECT_EQ(client(QString())->ApiPostText(code, prefix + u"[Key]1001[/Key]"_s, reply),
                      RS_Refused);
        }
    }
    // What the callers then see.
    auto robot = client(u"not-a-token"_s, HSL_ENG);
    EXPECT_EQ(robot->LockFile(1001), 7);
    EXPECT_EQ(robot->GetLastError(), u"This is not the legal user code."_s);
    EXPECT_EQ(robot->ListFolder(2, 11, true), u"no power"_s);
    EXPECT_EQ(model.files[1001].lockedBy, 0);
}

TEST_P(FailuresTest, UnreachableServerRaisesOnlyFromDirectCommands) {
    auto robot = client();
    robot->SetPort(ov::test::closedPort());
    QString text;
    EXPECT_THROW(robot->GetFileName(1001, text), NetError);
    EXPECT_THROW(robot->CanDownloadFile(1001), NetError);
    EXPECT_THROW(robot->GetFileType(), NetError);
    EXPECT_EQ(robot->GetUserMsg(u"h"_s, text), 0);

    EXPECT_EQ(robot->GetServerPath(1001, false), QString());
    EXPECT_EQ(robot->GetLastError(), ConnectionFailed);
    EXPECT_EQ(robot->GetMaxFileSize(), 200);
    EXPECT_EQ(robot->GetMsgSpace(), 60);
    EXPECT_EQ(robot->GetServerStatus(), 20);
    EXPECT_FALSE(robot->ApiConnectTest());
    // The lock's failure keeps the network text instead of "Unknown error" for the code 0.
    EXPECT_EQ(robot->LockFile(1001), 0);
    EXPECT_EQ(robot->GetLastError(), ConnectionFailed);

    QString token, name;
    std::int32_t id = 7;
    EXPECT_EQ(robot->Login(u"demo"_s, u"demo123"_s, {}, {}, {}, token, name, id), 0);
    EXPECT_EQ(robot->GetLastError(), ConnectionFailed);
    EXPECT_EQ(id, 7);
}

// A login answered by a stale reply state must not pass: the state is that of this request.
TEST_P(FailuresTest, LoginAfterAnEarlierReplyFailsWithStateZero) {
    auto robot = client();
    EXPECT_EQ(robot->GetServerStatus(), RS_Ok);
    robot->SetPort(ov::test::closedPort());
    QString token, name;
    std::int32_t id = 0;
    EXPECT_EQ(robot->Login(u"demo"_s, u"demo123"_s, {}, {}, {}, token, name, id), 0);
}

// The connection breaks after the reply's header said 'V': no token came, so no login either.
TEST_P(FailuresTest, LoginCutOffAfterItsHeaderFails) {
    for (const int bytes : {20, 30}) {
        SCOPED_TRACE(bytes);
        server.setFault(Fault::CloseAfterBytes, bytes);
        auto robot = client(QString());
        QString token = u"old"_s, name;
        std::int32_t id = 7;
        EXPECT_EQ(robot->Login(u"demo"_s, u"demo123"_s, {}, {}, {}, token, name, id), 0);
        EXPECT_EQ(robot->GetLastError(), ConnectionFailed);
        EXPECT_EQ(token, u"old"_s);
        EXPECT_EQ(id, 7);
    }
}

TEST_P(FailuresTest, ServerFaultsReachTheCommands) {
    auto robot = client();
    QString text;
    server.setFault(Fault::WrongTrailer);
    EXPECT_EQ(robot->GetFileName(1001, text), RS_Ok2);
    EXPECT_EQ(text, u"齿轮箱.dwg"_s);
    EXPECT_EQ(robot->GetLastError(), u"An error occurred during transmission"_s);

    server.setFault(Fault::CloseAfterBytes, 10);
    EXPECT_THROW(robot->GetFileName(1001, text), NetError);
    EXPECT_EQ(robot->GetServerPath(1001, false), QString());
    EXPECT_EQ(robot->GetLastError(), ConnectionFailed);

    server.setFault(Fault::Stall);
    robot->SetReadTimeout(300);
    EXPECT_EQ(robot->LockFile(1001), 0);
    EXPECT_EQ(robot->GetLastError(), ConnectionFailed);

    server.setFault(Fault::Refuse);
    EXPECT_THROW(robot->GetOrgStructure(text), NetError);
}

INSTANTIATE_TEST_SUITE_P(Commands, FailuresTest, ::testing::Bool(), TlsName);

}  // namespace

#pragma once
// The numbers and fixed texts of the protocol as the server sees them.

#include <cstdint>

namespace ov::test::wire {

// The first line of a connection (sent with CR LF) names its channel.
inline constexpr char ControlGreeting[] = "VESKO /TCP/1.0";
inline constexpr char FileGreeting[] = "VESKO_FILE /TCP/1.0";

// The request codes of the control channel (the header's TranType byte of a request).
enum RequestCode : std::uint8_t {
    TT_GetServerStatus = 22,
    TT_GetUserGroup = 33,
    TT_GetFileList = 35,
    TT_GetLogs = 36,
    TT_GetResourceInfo = 37,
    TT_GetServerFileNum = 38,
    TT_GetUploadLimit = 39,
    TT_ListFolder = 40,
    TT_SendFolderList = 41,
    TT_GetFoldersDesc = 42,
    TT_RefreshFolder = 44,
    TT_GetFilePrtList = 45,
    TT_IsInWriteAudit = 46,
    TT_GetFolderList = 47,
    TT_GetAllUsersList = 48,
    TT_RetrieveFileDesc = 49,
    TT_UpdateFileDesc = 50,
    TT_CanDownloadFile = 51,
    TT_GetServerFileInfo = 52,
    TT_WriteOprLog = 53,
    TT_UpdateFileExtInfo = 54,
    TT_GetNewVer = 63,
    TT_GetOwnerFolders = 64,
    TT_LoadFolderFiles = 65,
    TT_GetDownloadFiles = 66,
    TT_GetMaxFileSize = 68,
    TT_GetSubFolders = 69,
    TT_GetClientVer = 70,
    TT_GetClientFile = 71,
    TT_GetFileName = 72,
    TT_GetUserSpecificFolderID = 73,
    TT_SendFileMsg = 74,
    TT_UnLockFile = 75,
    TT_LockFile = 76,
    TT_GetLastModifyTime = 77,
    TT_GetServerPath = 78,
    TT_CreateFolder = 79,
    TT_Login = 84,
    TT_GetOrgStructure = 90,
    TT_GetMyGroups = 92,
    TT_GetUserMsg = 108,
    TT_GetMsgSpace = 109,
    TT_DelFolder = 142,
    TT_DelFile = 144
};

// The states of a reply (the header's TranType byte of a reply).
enum ReplyState : std::uint8_t {
    RS_Ok = 'P',
    RS_Ok2 = '<',
    RS_LoginOk = 'V',
    RS_Refused = 'R',
    RS_Refused2 = 'X'
};

// The protocol version the client sends in every header.
inline constexpr std::uint8_t ProtocolVersion = 2;

// The trailer of every control frame; on the file channel, the end value of data stopped early.
inline constexpr std::int32_t EndMark = 0xFFEE;
// The end value after complete file data.
inline constexpr std::int32_t FileOverMark = 0xFFF0;

// The commands of the file channel (a big-endian Int32 after the greeting).
enum FileCommand : std::int32_t {
    FC_UploadFile = 1,
    FC_DownloadFile = 2,
    FC_UploadFile2 = 3,
    FC_UploadKmItemFile = 5,
    FC_ApiReceiveFile = 8
};

// File data travels in chunks of this size; a receiver offers a multiple of 16 bytes, checked
// by the 8 bytes before it.
inline constexpr std::int64_t ChunkSize = 0x8000;
inline constexpr std::int64_t ResumeStep = 16;
inline constexpr std::int64_t TailCheckBytes = 8;

}  // namespace ov::test::wire

#pragma once
// The 16-byte header that starts every request and every reply on the control channel. It
// travels as its raw bytes, integers little-endian, fields in declaration order.

#include <cstddef>
#include <cstdint>

namespace ov {

// Command code of a request; in a reply, the reply state. One byte on the wire.
enum TTranType : std::uint8_t {
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

#pragma pack(push, 1)
struct THeadInfo {
    std::uint8_t Version = 0;
    std::uint8_t AllEff = 0;
    TTranType TranType = TTranType(0);
    std::uint8_t FreeByte = 0;
    std::int32_t FreeInt = 0;
    std::int32_t FreeInt2 = 0;
    std::int32_t FreeInt3 = 0;
};
#pragma pack(pop)

static_assert(sizeof(THeadInfo) == 16, "the header travels as exactly 16 bytes");
static_assert(offsetof(THeadInfo, FreeInt) == 4 && offsetof(THeadInfo, FreeInt3) == 12);

// The header's wire form and back (integers little-endian whatever the machine's order).
inline void headToBytes(const THeadInfo& head, char out[16]) {
    out[0] = char(head.Version);
    out[1] = char(head.AllEff);
    out[2] = char(head.TranType);
    out[3] = char(head.FreeByte);
    const std::int32_t ints[3] = {head.FreeInt, head.FreeInt2, head.FreeInt3};
    for (int i = 0; i < 3; ++i) {
        const auto v = std::uint32_t(ints[i]);
        for (int b = 0; b < 4; ++b)
            out[4 + 4 * i + b] = char((v >> (8 * b)) & 0xFFu);
    }
}

inline THeadInfo headFromBytes(const char in[16]) {
    auto int32At = [in](int at) {
        std::uint32_t v = 0;
        for (int b = 3; b >= 0; --b)
            v = (v << 8) | std::uint8_t(in[at + b]);
        return std::int32_t(v);
    };
    THeadInfo head;
    head.Version = std::uint8_t(in[0]);
    head.AllEff = std::uint8_t(in[1]);
    head.TranType = TTranType(std::uint8_t(in[2]));
    head.FreeByte = std::uint8_t(in[3]);
    head.FreeInt = int32At(4);
    head.FreeInt2 = int32At(8);
    head.FreeInt3 = int32At(12);
    return head;
}

}  // namespace ov

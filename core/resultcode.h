#pragma once
// The one-byte result codes with which the document server answers file transfers and many
// commands (the client maps its own local failures into the same codes), and their texts in the
// user's language.

#include <QString>
#include <QtGlobal>

#include "core/types.h"

namespace ov {

// Only the low seven bits select a text: a code and the same code plus 128 read alike.
enum TResultCode : quint8 {
    RC_Unknown = 0,
    RC_Ok = 1,
    RC_TimeOut = 2,
    RC_CanUpload = 3,
    RC_Duplicate = 4,
    RC_UserDisabled = 5,
    RC_NoSpace = 6,
    RC_BadUser = 7,
    RC_NoFile = 8,
    RC_CanDownload = 10,
    RC_CreateFileErr = 11,
    RC_OpenFileErr = 12,
    RC_NoPower = 13,
    RC_Locked = 14,
    RC_OldVersion = 15,
    RC_NoChange = 16,
    RC_NotCheckedOut = 17,
    RC_NoFolder = 18,
    RC_HasLockedFile = 19,
    RC_FolderConflict = 20,
    RC_InvalidData = 21,
    RC_SelfGrant = 22,
    RC_BadCondition = 23,
    RC_NotAudited = 24,
    RC_Deleted = 25,
    RC_DownloadAudit = 27,
    RC_PreviewAudit = 28,
    RC_EditAudit = 29,
    RC_InEditAudit = 30,
    RC_SameNameArchived = 31,
    RC_HasArchivedFile = 32,
    RC_Archived = 33,
    RC_TooLarge = 34,
    RC_CheckoutFirst = 35,
    RC_NoFolderPower = 37,
    RC_NoClassification = 38,
    RC_NoFatherFolder = 39,
    RC_ServerOlder = 52,
    RC_SaveFailed = 53,
    RC_Recovered = 55,
    RC_ForcedAudit = 60,
    RC_DownloadLimit = 61,
    RC_ErrorText = 100,
    RC_ServerError = 101,
    RC_Exception = 127,
};

// Sets `text` to the code's text in the language (Chinese for HSL_CN, English for HSL_ENG).
// For any other language, and for codes without a text (1, 100, 127 and the codes the table does
// not name), `text` keeps what the caller passed: callers pass the text to show in that case.
void GetResultCodeText(quint8 code, THS_Language lang, QString& text);

}  // namespace ov

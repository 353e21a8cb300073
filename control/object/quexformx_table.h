#pragma once
// The one definition of the control's interface `IQuexFormX` and of its event interface:
// every member in virtual-table order with its DISPID, kind, parameters and result. The C++
// interface, the dispatch table, the type information and the member implementations'
// declarations are all made from these two lists (see control/ovcom/slots.h for the form of
// an entry). Every member's function is in control/members/ (state Done).

#include <cstdint>

#include "control/ovcom/slots.h"

namespace ov::control {

enum TxActiveFormBorderStyle : std::int32_t {
    afbNone = 0,
    afbSingle = 1,
    afbSunken = 2,
    afbRaised = 3
};
enum TxPrintScale : std::int32_t { poNone = 0, poProportional = 1, poPrintToFit = 2 };
enum TxMouseButton : std::int32_t { mbLeft = 0, mbRight = 1, mbMiddle = 2 };
enum TxPopupMode : std::int32_t { pmNone = 0, pmAuto = 1, pmExplicit = 2 };

}  // namespace ov::control

#define OVCOM_TYPE_BorderStyle ::ov::control::TxActiveFormBorderStyle
#define OVCOM_TYPE_PrintScale ::ov::control::TxPrintScale
#define OVCOM_TYPE_PopupMode ::ov::control::TxPopupMode
#define OVCOM_USERTYPE_BorderStyle QStringLiteral("TxActiveFormBorderStyle")
#define OVCOM_USERTYPE_PrintScale QStringLiteral("TxPrintScale")
#define OVCOM_USERTYPE_PopupMode QStringLiteral("TxPopupMode")

// X(position, dispid, kind, name, state, visibility, params...)
#define OV_QUEXFORMX_MEMBERS(X)                                                                   \
    X(1, 201, Get, Visible, Done, Hidden, (R, Bool, Value))                                       \
    X(2, 201, Put, Visible, Done, Hidden, (I, Bool, Value))                                       \
    X(3, 202, Get, AutoScroll, Done, Shown, (R, Bool, Value))                                     \
    X(4, 202, Put, AutoScroll, Done, Shown, (I, Bool, Value))                                     \
    X(5, 203, Get, AutoSize, Done, Shown, (R, Bool, Value))                                       \
    X(6, 203, Put, AutoSize, Done, Shown, (I, Bool, Value))                                       \
    X(7, 204, Get, AxBorderStyle, Done, Shown, (R, BorderStyle, Value))                           \
    X(8, 204, Put, AxBorderStyle, Done, Shown, (I, BorderStyle, Value))                           \
    X(9, -518, Get, Caption, Done, Shown, (R, Bstr, Value))                                       \
    X(10, -518, Put, Caption, Done, Shown, (I, Bstr, Value))                                      \
    X(11, -501, Get, Color, Done, Shown, (R, Color, Value))                                       \
    X(12, -501, Put, Color, Done, Shown, (I, Color, Value))                                       \
    X(13, -512, Get, Font, Done, Shown, (R, Font, Value))                                         \
    X(14, -512, Put, Font, Done, Shown, (I, Font, Value))                                         \
    X(15, -512, PutRef, Font, Done, Shown, (I, Font, Value))                                      \
    X(16, 205, Get, KeyPreview, Done, Shown, (R, Bool, Value))                                    \
    X(17, 205, Put, KeyPreview, Done, Shown, (I, Bool, Value))                                    \
    X(18, 206, Get, PixelsPerInch, Done, Shown, (R, Long, Value))                                 \
    X(19, 206, Put, PixelsPerInch, Done, Shown, (I, Long, Value))                                 \
    X(20, 207, Get, PrintScale, Done, Shown, (R, PrintScale, Value))                              \
    X(21, 207, Put, PrintScale, Done, Shown, (I, PrintScale, Value))                              \
    X(22, 208, Get, Scaled, Done, Shown, (R, Bool, Value))                                        \
    X(23, 208, Put, Scaled, Done, Shown, (I, Bool, Value))                                        \
    X(24, 209, Get, Active, Done, Hidden, (R, Bool, Value))                                       \
    X(25, 210, Get, DropTarget, Done, Hidden, (R, Bool, Value))                                   \
    X(26, 210, Put, DropTarget, Done, Hidden, (I, Bool, Value))                                   \
    X(27, 211, Get, HelpFile, Done, Hidden, (R, Bstr, Value))                                     \
    X(28, 211, Put, HelpFile, Done, Hidden, (I, Bstr, Value))                                     \
    X(29, 212, Get, PopupMode, Done, Hidden, (R, PopupMode, Value))                               \
    X(30, 212, Put, PopupMode, Done, Hidden, (I, PopupMode, Value))                               \
    X(31, 213, Get, ScreenSnap, Done, Hidden, (R, Bool, Value))                                   \
    X(32, 213, Put, ScreenSnap, Done, Hidden, (I, Bool, Value))                                   \
    X(33, 214, Get, SnapBuffer, Done, Hidden, (R, Long, Value))                                   \
    X(34, 214, Put, SnapBuffer, Done, Hidden, (I, Long, Value))                                   \
    X(35, 215, Get, DockSite, Done, Hidden, (R, Bool, Value))                                     \
    X(36, 215, Put, DockSite, Done, Hidden, (I, Bool, Value))                                     \
    X(37, 216, Get, DoubleBuffered, Done, Hidden, (R, Bool, Value))                               \
    X(38, 216, Put, DoubleBuffered, Done, Hidden, (I, Bool, Value))                               \
    X(39, 217, Get, AlignDisabled, Done, Hidden, (R, Bool, Value))                                \
    X(40, 218, Get, MouseInClient, Done, Hidden, (R, Bool, Value))                                \
    X(41, 219, Get, VisibleDockClientCount, Done, Hidden, (R, Long, Value))                       \
    X(42, 220, Get, UseDockManager, Done, Hidden, (R, Bool, Value))                               \
    X(43, 220, Put, UseDockManager, Done, Hidden, (I, Bool, Value))                               \
    X(44, -514, Get, Enabled, Done, Hidden, (R, Bool, Value))                                     \
    X(45, -514, Put, Enabled, Done, Hidden, (I, Bool, Value))                                     \
    X(46, 221, Get, ExplicitLeft, Done, Hidden, (R, Long, Value))                                 \
    X(47, 222, Get, ExplicitTop, Done, Hidden, (R, Long, Value))                                  \
    X(48, 223, Get, ExplicitWidth, Done, Hidden, (R, Long, Value))                                \
    X(49, 224, Get, ExplicitHeight, Done, Hidden, (R, Long, Value))                               \
    X(50, 225, Get, AlignWithMargins, Done, Shown, (R, Bool, Value))                              \
    X(51, 225, Put, AlignWithMargins, Done, Shown, (I, Bool, Value))                              \
    X(52, 226, Get, ServerIp, Done, Shown, (R, Bstr, Value))                                      \
    X(53, 226, Put, ServerIp, Done, Shown, (I, Bstr, Value))                                      \
    X(54, 227, Get, FileAccessPower, Done, Shown, (R, Long, Value))                               \
    X(55, 228, Method, EditOnline, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName))          \
    X(56, 229, Method, FilesBatchTransmit, Done, Shown, (I, Char, TranStyle),                     \
        (I, Char, FolderOrFile), (I, Long, OwnerId), (I, Bstr, SourceId), (I, Bstr, SourceName))  \
    X(57, 230, Method, GetOcxEdition, Done, Shown, (R, Bstr, Val))                                \
    X(58, 231, Method, SaveUserInfo, Done, Shown, (I, Long, UsrId), (I, Bstr, UsrId2),            \
        (I, Bstr, UsrName))                                                                       \
    X(59, 232, Method, SaveUsrInfo2, Done, Shown, (I, Bstr, InfoStr))                             \
    X(60, 233, Method, VerUpdate, Done, Shown)                                                    \
    X(61, 234, Method, ShowMsgClient, Done, Shown)                                                \
    X(62, 237, Method, GetOldVer, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName),           \
        (I, Bstr, VersionId), (R, Char, Succeed))                                                 \
    X(63, 235, Method, Checkout, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName),            \
        (R, Char, Succeed))                                                                       \
    X(64, 238, Method, DelCheckoutRec, Done, Shown, (I, Bstr, FileKeys), (I, Bstr, FileNames),    \
        (R, Char, Succeed))                                                                       \
    X(65, 239, Method, BathCheckinFiles, Done, Shown, (I, Bstr, FileKeys), (I, Bstr, FileNames),  \
        (R, Char, Succeed))                                                                       \
    X(66, 236, Method, SetWorkPath, Done, Shown, (I, Bstr, FolderId))                             \
    X(67, 240, Method, GetMapHost, Done, Shown, (I, Bstr, Ip), (R, Bstr, Host))                   \
    X(68, 241, Method, GetMapHostIp, Done, Shown, (I, Bstr, Host), (R, Bstr, Ip))                 \
    X(69, 242, Method, SetMapHost, Done, Shown, (I, Bstr, Ip), (I, Bstr, Host), (R, Char, R))     \
    X(70, 243, Method, PreView, Done, Shown, (I, Bstr, FileKey), (I, Bstr, ConvertType))          \
    X(71, 244, Method, CloseWebBrowser, Done, Shown)                                              \
    X(72, 249, Method, SMTPTest, Done, Shown, (I, Bstr, Params), (R, Bstr, Value))                \
    X(73, 250, Method, SendEmail, Done, Shown, (I, Bstr, EmailAddrs), (I, Bstr, EmailTitle),      \
        (I, Bstr, EmailBody), (I, Bstr, SMTPParams), (R, Bstr, states))                           \
    X(74, 251, Method, GetNewVer, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId))           \
    X(75, 254, Method, GenerateMicPic, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId))      \
    X(76, 253, Method, AxPreview, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName))           \
    X(77, 255, Method, CheckAvX, Done, Shown, (I, Bstr, FileName), (R, Long, ReValue))            \
    X(78, 256, Method, ShowDifference, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId))      \
    X(79, 257, Method, CheckAdLogin, Done, Shown, (I, Bstr, Params), (R, Bstr, UserName))         \
    X(80, 259, Method, EditOnlineVer, Done, Shown, (I, Bstr, FileKey), (I, Bstr, VerNum))         \
    X(81, 260, Method, PreView2, Done, Shown, (I, Bstr, FileKey), (I, Bstr, ConvertType),         \
        (I, Bstr, FileVer))                                                                       \
    X(82, 261, Method, AxPreView2, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName),          \
        (I, Bstr, FileVer))                                                                       \
    X(83, 262, Method, EModelPreview, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName),       \
        (I, Long, FileVer))                                                                       \
    X(84, 267, Method, GetFileModifyTime, Done, Shown, (I, Bstr, FilePaht), (R, Bstr, FDT))       \
    X(85, 268, Method, Print, Done, Shown, (I, Bstr, EffCode))                                    \
    X(86, 269, Get, CanPrint, Done, Shown, (R, Bool, Value))                                      \
    X(87, 269, Put, CanPrint, Done, Shown, (I, Bool, Value))                                      \
    X(88, 270, Method, GetMacs, Done, Shown, (R, Bstr, Mac))                                      \
    X(89, 271, Method, GetEncryptedMacs, Done, Shown, (R, Bstr, Mac))                             \
    X(90, 272, Get, DocCommand, Done, Shown, (R, Bstr, Value))                                    \
    X(91, 272, Put, DocCommand, Done, Shown, (I, Bstr, Value))                                    \
    X(92, 273, Method, Ocr, Done, Shown, (R, Bstr, Val))                                          \
    X(93, 275, Method, OcrVer, Done, Shown, (R, Bstr, Val))                                       \
    X(94, 277, Method, FreeModiFrm, Done, Shown)                                                  \
    X(95, 278, Method, LoadModiX, Done, Shown, (I, Bstr, FileName))                               \
    X(96, 274, Method, ModiSelectFile, Done, Shown)                                               \
    X(97, 276, Method, GetModiFileName, Done, Shown, (R, Bstr, Val))                              \
    X(98, 279, Method, TwainInit, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId))           \
    X(99, 280, Method, LogExport, Done, Shown, (I, Bstr, LogCond), (R, Bstr, RLogInfo))           \
    X(100, 281, Method, OcxUpdate, Done, Shown, (R, Bool, Val))                                   \
    X(101, 282, Method, PrintImgEx, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileVer),          \
        (I, Bstr, ImageIndex), (R, Bstr, SReturn))                                                \
    X(102, 283, Method, BatchDownload, Done, Shown, (I, Bstr, KeysStr), (I, Bstr, NamesStr),      \
        (R, Bstr, ReValue))                                                                       \
    X(103, 284, Method, RTXMsg, Done, Shown, (I, Bstr, Receiver), (I, Bstr, Content),             \
        (R, Bstr, Err))                                                                           \
    X(104, 286, Method, ExportFileList, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId),     \
        (R, Bstr, SResult))                                                                       \
    X(105, 287, Method, CreateFile, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId))         \
    X(106, 288, Method, UploadFiles, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId))        \
    X(107, 289, Method, ExportFilePrtList, Done, Shown, (I, Bstr, Params))                        \
    X(108, 290, Method, OcxSetLanguage, Done, Shown, (I, Bstr, LngName))                          \
    X(109, 291, Method, SelFolder, Done, Shown, (R, Bstr, path))                                  \
    X(110, 292, Method, UploadClipboardImg, Done, Shown, (I, Bstr, FileKey), (R, Bstr, Tag))      \
    X(111, 293, Method, ExportFolderList, Done, Shown, (I, Bstr, OwnerId), (I, Bstr, FolderId),   \
        (R, Bstr, SReturn))                                                                       \
    X(112, 294, Method, ExportUsersList, Done, Shown, (R, Bstr, SReturn))                         \
    X(113, 295, Method, DownloadAndOpen, Done, Shown, (I, Bstr, FileName), (I, Bstr, FileKey),    \
        (I, Long, FileVer))                                                                       \
    X(114, 296, Method, ReadCode, Done, Shown, (R, Bstr, CodeText))                               \
    X(115, 297, Method, WebCamOpen, Done, Shown)                                                  \
    X(116, 298, Method, WebCamFree, Done, Shown)                                                  \
    X(117, 299, Method, TwainAcquire, Done, Shown)                                                \
    X(118, 300, Method, TwainUpload, Done, Shown, (R, Bstr, Keys))                                \
    X(119, 301, Method, TwainFree, Done, Shown)                                                   \
    X(120, 302, Method, EditFile, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName),           \
        (I, Bstr, FileExt), (R, Char, Param3))                                                    \
    X(121, 303, Method, UploadEditedFile, Done, Shown, (R, Bstr, Param1))                         \
    X(122, 304, Method, CancelFileEdit, Done, Shown)                                              \
    X(123, 305, Method, ResetEditedWordAppHandle, Done, Shown)                                    \
    X(124, 245, Method, GetCurrentUserName, Done, Shown, (R, Bstr, Param1))                       \
    X(125, 246, Method, TrackRevisions, Done, Shown, (I, Bool, VBool))                            \
    X(126, 247, Method, ShowRevisions, Done, Shown, (I, Bool, VBool))                             \
    X(127, 248, Method, AcceptRevisions, Done, Shown)                                             \
    X(128, 258, Method, SaveAs, Done, Shown, (I, Bstr, Fn))                                       \
    X(129, 265, Method, ModuleFileName, Done, Shown, (R, Bstr, FileName))                         \
    X(130, 263, Method, EditFind, Done, Shown)                                                    \
    X(131, 264, Method, IsExistVirtualPrinter, Done, Shown, (R, Bool, Param1))                    \
    X(132, 266, Method, StarupClientExt, Done, Shown)                                             \
    X(133, 285, Method, NavPaneVisible, Done, Shown, (I, Bool, B))                                \
    X(134, 306, Method, PrintPreview, Done, Shown)                                                \
    X(135, 307, Method, PrintPreviewExit, Done, Shown)                                            \
    X(136, 308, Method, UploadEditedFileToOtherFolder, Done, Shown, (I, Long, OwnerId),           \
        (I, Long, FolderId), (R, Bstr, ResultTxt))                                                \
    X(137, 309, Method, RevisionAndUpload, Done, Shown, (R, Bstr, Result))                        \
    X(138, 311, Method, NtkoPdfSvrDoLogin, Done, Shown, (I, Bstr, ServerUrl),                     \
        (I, Bstr, UserName), (I, Bstr, Password))                                                 \
    X(139, 310, Method, NtkoPdfSignInit, Done, Shown, (I, Bstr, Value1), (I, Bstr, Value2))       \
    X(140, 312, Method, NtkoPdfOpenFile, Done, Shown, (I, Bstr, FileKey), (I, Bstr, FileName))    \
    X(141, 313, Method, NtkoPdfSignedFileUpload, Done, Shown, (R, Bool, IsSuccess))               \
    X(142, 314, Method, NtkoPdfCancelSign, Done, Shown)                                           \
    X(143, 315, Method, TaskKill, Done, Shown, (I, Bstr, ExeName))                                \
    X(144, 252, Method, ExtraViewer, Done, Shown, (I, Bstr, FileName), (I, Bstr, FileKey),        \
        (I, Bstr, FileVer), (I, Bstr, FileExt), (I, Bstr, ExtraViewerVer))                        \
    X(145, 316, Method, GetEModelVer, Done, Shown, (R, Bstr, Param1))                             \
    X(146, 317, Method, FilesCopy, Done, Shown, (I, Bstr, SrcPath), (I, Bstr, DestPath))          \
    X(147, 318, Method, ClientMaxSize, Done, Shown, (I, Float, IeVer))                            \
    X(148, 319, Method, ExtraViewerX86, Done, Shown, (I, Bstr, FileName), (I, Bstr, FileKey),     \
        (I, Bstr, FileVer), (I, Bstr, FileExt), (I, Bstr, ExtraViewerVer))

// E(dispid, name, params...): the events, each called on the sink without result; (B, ...)
// marks a parameter passed by reference, whose new value the control takes over.
#define OV_QUEXFORMX_EVENTS(E) \
    E(201, OnActivate)                                                                            \
    E(202, OnClick)                                                                               \
    E(203, OnCreate)                                                                              \
    E(204, OnDblClick)                                                                            \
    E(205, OnDestroy)                                                                             \
    E(206, OnDeactivate)                                                                          \
    E(207, OnKeyPress, (B, Short, Key))                                                           \
    E(208, OnMouseEnter)                                                                          \
    E(209, OnMouseLeave)                                                                          \
    E(210, OnPaint)

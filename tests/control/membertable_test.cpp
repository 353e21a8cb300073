// The control's interface against its published member table: every member's position,
// DISPID, kind, name and parameters; name lookup; and that virtual slot N and Invoke of
// member N both reach member N.

#include <gtest/gtest.h>

#include <QStringList>
#include <vector>

#include "control/object/iquexformx.h"
#include "control/object/typelib.h"

using namespace Qt::StringLiterals;
using namespace ov;
using namespace ov::control;

namespace {

struct Row {
    int position;
    int dispid;
    const char* kind;
    const char* name;
    const char* signature;  // inputs "Name: type", the result "-> Name: type"
};

// The interface as it is published: position in the virtual table after IDispatch's seven
// methods, DISPID, kind, name, parameters.
const Row kPublished[] = {
    {1, 201, "get", "Visible", "-> Value: VARIANT_BOOL"},
    {2, 201, "put", "Visible", "Value: VARIANT_BOOL"},
    {3, 202, "get", "AutoScroll", "-> Value: VARIANT_BOOL"},
    {4, 202, "put", "AutoScroll", "Value: VARIANT_BOOL"},
    {5, 203, "get", "AutoSize", "-> Value: VARIANT_BOOL"},
    {6, 203, "put", "AutoSize", "Value: VARIANT_BOOL"},
    {7, 204, "get", "AxBorderStyle", "-> Value: TxActiveFormBorderStyle"},
    {8, 204, "put", "AxBorderStyle", "Value: TxActiveFormBorderStyle"},
    {9, -518, "get", "Caption", "-> Value: BSTR"},
    {10, -518, "put", "Caption", "Value: BSTR"},
    {11, -501, "get", "Color", "-> Value: OLE_COLOR"},
    {12, -501, "put", "Color", "Value: OLE_COLOR"},
    {13, -512, "get", "Font", "-> Value: Font"},
    {14, -512, "put", "Font", "Value: Font"},
    {15, -512, "putref", "Font", "Value: Font"},
    {16, 205, "get", "KeyPreview", "-> Value: VARIANT_BOOL"},
    {17, 205, "put", "KeyPreview", "Value: VARIANT_BOOL"},
    {18, 206, "get", "PixelsPerInch", "-> Value: long"},
    {19, 206, "put", "PixelsPerInch", "Value: long"},
    {20, 207, "get", "PrintScale", "-> Value: TxPrintScale"},
    {21, 207, "put", "PrintScale", "Value: TxPrintScale"},
    {22, 208, "get", "Scaled", "-> Value: VARIANT_BOOL"},
    {23, 208, "put", "Scaled", "Value: VARIANT_BOOL"},
    {24, 209, "get", "Active", "-> Value: VARIANT_BOOL"},
    {25, 210, "get", "DropTarget", "-> Value: VARIANT_BOOL"},
    {26, 210, "put", "DropTarget", "Value: VARIANT_BOOL"},
    {27, 211, "get", "HelpFile", "-> Value: BSTR"},
    {28, 211, "put", "HelpFile", "Value: BSTR"},
    {29, 212, "get", "PopupMode", "-> Value: TxPopupMode"},
    {30, 212, "put", "PopupMode", "Value: TxPopupMode"},
    {31, 213, "get", "ScreenSnap", "-> Value: VARIANT_BOOL"},
    {32, 213, "put", "ScreenSnap", "Value: VARIANT_BOOL"},
    {33, 214, "get", "SnapBuffer", "-> Value: long"},
    {34, 214, "put", "SnapBuffer", "Value: long"},
    {35, 215, "get", "DockSite", "-> Value: VARIANT_BOOL"},
    {36, 215, "put", "DockSite", "Value: VARIANT_BOOL"},
    {37, 216, "get", "DoubleBuffered", "-> Value: VARIANT_BOOL"},
    {38, 216, "put", "DoubleBuffered", "Value: VARIANT_BOOL"},
    {39, 217, "get", "AlignDisabled", "-> Value: VARIANT_BOOL"},
    {40, 218, "get", "MouseInClient", "-> Value: VARIANT_BOOL"},
    {41, 219, "get", "VisibleDockClientCount", "-> Value: long"},
    {42, 220, "get", "UseDockManager", "-> Value: VARIANT_BOOL"},
    {43, 220, "put", "UseDockManager", "Value: VARIANT_BOOL"},
    {44, -514, "get", "Enabled", "-> Value: VARIANT_BOOL"},
    {45, -514, "put", "Enabled", "Value: VARIANT_BOOL"},
    {46, 221, "get", "ExplicitLeft", "-> Value: long"},
    {47, 222, "get", "ExplicitTop", "-> Value: long"},
    {48, 223, "get", "ExplicitWidth", "-> Value: long"},
    {49, 224, "get", "ExplicitHeight", "-> Value: long"},
    {50, 225, "get", "AlignWithMargins", "-> Value: VARIANT_BOOL"},
    {51, 225, "put", "AlignWithMargins", "Value: VARIANT_BOOL"},
    {52, 226, "get", "ServerIp", "-> Value: BSTR"},
    {53, 226, "put", "ServerIp", "Value: BSTR"},
    {54, 227, "get", "FileAccessPower", "-> Value: long"},
    {55, 228, "method", "EditOnline", "FileKey: BSTR, FileName: BSTR"},
    {56, 229, "method", "FilesBatchTransmit",
     "TranStyle: char, FolderOrFile: char, OwnerId: long, SourceId: BSTR, SourceName: BSTR"},
    {57, 230, "method", "GetOcxEdition", "-> Val: BSTR"},
    {58, 231, "method", "SaveUserInfo", "UsrId: long, UsrId2: BSTR, UsrName: BSTR"},
    {59, 232, "method", "SaveUsrInfo2", "InfoStr: BSTR"},
    {60, 233, "method", "VerUpdate", ""},
    {61, 234, "method", "ShowMsgClient", ""},
    {62, 237, "method", "GetOldVer",
     "FileKey: BSTR, FileName: BSTR, VersionId: BSTR, -> Succeed: char"},
    {63, 235, "method", "Checkout", "FileKey: BSTR, FileName: BSTR, -> Succeed: char"},
    {64, 238, "method", "DelCheckoutRec", "FileKeys: BSTR, FileNames: BSTR, -> Succeed: char"},
    {65, 239, "method", "BathCheckinFiles", "FileKeys: BSTR, FileNames: BSTR, -> Succeed: char"},
    {66, 236, "method", "SetWorkPath", "FolderId: BSTR"},
    {67, 240, "method", "GetMapHost", "Ip: BSTR, -> Host: BSTR"},
    {68, 241, "method", "GetMapHostIp", "Host: BSTR, -> Ip: BSTR"},
    {69, 242, "method", "SetMapHost", "Ip: BSTR, Host: BSTR, -> R: char"},
    {70, 243, "method", "PreView", "FileKey: BSTR, ConvertType: BSTR"},
    {71, 244, "method", "CloseWebBrowser", ""},
    {72, 249, "method", "SMTPTest", "Params: BSTR, -> Value: BSTR"},
    {73, 250, "method", "SendEmail",
     "EmailAddrs: BSTR, EmailTitle: BSTR, EmailBody: BSTR, SMTPParams: BSTR, -> states: BSTR"},
    {74, 251, "method", "GetNewVer", "OwnerId: BSTR, FolderId: BSTR"},
    {75, 254, "method", "GenerateMicPic", "OwnerId: BSTR, FolderId: BSTR"},
    {76, 253, "method", "AxPreview", "FileKey: BSTR, FileName: BSTR"},
    {77, 255, "method", "CheckAvX", "FileName: BSTR, -> ReValue: long"},
    {78, 256, "method", "ShowDifference", "OwnerId: BSTR, FolderId: BSTR"},
    {79, 257, "method", "CheckAdLogin", "Params: BSTR, -> UserName: BSTR"},
    {80, 259, "method", "EditOnlineVer", "FileKey: BSTR, VerNum: BSTR"},
    {81, 260, "method", "PreView2", "FileKey: BSTR, ConvertType: BSTR, FileVer: BSTR"},
    {82, 261, "method", "AxPreView2", "FileKey: BSTR, FileName: BSTR, FileVer: BSTR"},
    {83, 262, "method", "EModelPreview", "FileKey: BSTR, FileName: BSTR, FileVer: long"},
    {84, 267, "method", "GetFileModifyTime", "FilePaht: BSTR, -> FDT: BSTR"},
    {85, 268, "method", "Print", "EffCode: BSTR"},
    {86, 269, "get", "CanPrint", "-> Value: VARIANT_BOOL"},
    {87, 269, "put", "CanPrint", "Value: VARIANT_BOOL"},
    {88, 270, "method", "GetMacs", "-> Mac: BSTR"},
    {89, 271, "method", "GetEncryptedMacs", "-> Mac: BSTR"},
    {90, 272, "get", "DocCommand", "-> Value: BSTR"},
    {91, 272, "put", "DocCommand", "Value: BSTR"},
    {92, 273, "method", "Ocr", "-> Val: BSTR"},
    {93, 275, "method", "OcrVer", "-> Val: BSTR"},
    {94, 277, "method", "FreeModiFrm", ""},
    {95, 278, "method", "LoadModiX", "FileName: BSTR"},
    {96, 274, "method", "ModiSelectFile", ""},
    {97, 276, "method", "GetModiFileName", "-> Val: BSTR"},
    {98, 279, "method", "TwainInit", "OwnerId: BSTR, FolderId: BSTR"},
    {99, 280, "method", "LogExport", "LogCond: BSTR, -> RLogInfo: BSTR"},
    {100, 281, "method", "OcxUpdate", "-> Val: VARIANT_BOOL"},
    {101, 282, "method", "PrintImgEx",
     "FileKey: BSTR, FileVer: BSTR, ImageIndex: BSTR, -> SReturn: BSTR"},
    {102, 283, "method", "BatchDownload", "KeysStr: BSTR, NamesStr: BSTR, -> ReValue: BSTR"},
    {103, 284, "method", "RTXMsg", "Receiver: BSTR, Content: BSTR, -> Err: BSTR"},
    {104, 286, "method", "ExportFileList", "OwnerId: BSTR, FolderId: BSTR, -> SResult: BSTR"},
    {105, 287, "method", "CreateFile", "OwnerId: BSTR, FolderId: BSTR"},
    {106, 288, "method", "UploadFiles", "OwnerId: BSTR, FolderId: BSTR"},
    {107, 289, "method", "ExportFilePrtList", "Params: BSTR"},
    {108, 290, "method", "OcxSetLanguage", "LngName: BSTR"},
    {109, 291, "method", "SelFolder", "-> path: BSTR"},
    {110, 292, "method", "UploadClipboardImg", "FileKey: BSTR, -> Tag: BSTR"},
    {111, 293, "method", "ExportFolderList", "OwnerId: BSTR, FolderId: BSTR, -> SReturn: BSTR"},
    {112, 294, "method", "ExportUsersList", "-> SReturn: BSTR"},
    {113, 295, "method", "DownloadAndOpen", "FileName: BSTR, FileKey: BSTR, FileVer: long"},
    {114, 296, "method", "ReadCode", "-> CodeText: BSTR"},
    {115, 297, "method", "WebCamOpen", ""},
    {116, 298, "method", "WebCamFree", ""},
    {117, 299, "method", "TwainAcquire", ""},
    {118, 300, "method", "TwainUpload", "-> Keys: BSTR"},
    {119, 301, "method", "TwainFree", ""},
    {120, 302, "method", "EditFile",
     "FileKey: BSTR, FileName: BSTR, FileExt: BSTR, -> Param3: char"},
    {121, 303, "method", "UploadEditedFile", "-> Param1: BSTR"},
    {122, 304, "method", "CancelFileEdit", ""},
    {123, 305, "method", "ResetEditedWordAppHandle", ""},
    {124, 245, "method", "GetCurrentUserName", "-> Param1: BSTR"},
    {125, 246, "method", "TrackRevisions", "VBool: VARIANT_BOOL"},
    {126, 247, "method", "ShowRevisions", "VBool: VARIANT_BOOL"},
    {127, 248, "method", "AcceptRevisions", ""},
    {128, 258, "method", "SaveAs", "Fn: BSTR"},
    {129, 265, "method", "ModuleFileName", "-> FileName: BSTR"},
    {130, 263, "method", "EditFind", ""},
    {131, 264, "method", "IsExistVirtualPrinter", "-> Param1: VARIANT_BOOL"},
    {132, 266, "method", "StarupClientExt", ""},
    {133, 285, "method", "NavPaneVisible", "B: VARIANT_BOOL"},
    {134, 306, "method", "PrintPreview", ""},
    {135, 307, "method", "PrintPreviewExit", ""},
    {136, 308, "method", "UploadEditedFileToOtherFolder",
     "OwnerId: long, FolderId: long, -> ResultTxt: BSTR"},
    {137, 309, "method", "RevisionAndUpload", "-> Result: BSTR"},
    {138, 311, "method", "NtkoPdfSvrDoLogin", "ServerUrl: BSTR, UserName: BSTR, Password: BSTR"},
    {139, 310, "method", "NtkoPdfSignInit", "Value1: BSTR, Value2: BSTR"},
    {140, 312, "method", "NtkoPdfOpenFile", "FileKey: BSTR, FileName: BSTR"},
    {141, 313, "method", "NtkoPdfSignedFileUpload", "-> IsSuccess: VARIANT_BOOL"},
    {142, 314, "method", "NtkoPdfCancelSign", ""},
    {143, 315, "method", "TaskKill", "ExeName: BSTR"},
    {144, 252, "method", "ExtraViewer",
     "FileName: BSTR, FileKey: BSTR, FileVer: BSTR, FileExt: BSTR, ExtraViewerVer: BSTR"},
    {145, 316, "method", "GetEModelVer", "-> Param1: BSTR"},
    {146, 317, "method", "FilesCopy", "SrcPath: BSTR, DestPath: BSTR"},
    {147, 318, "method", "ClientMaxSize", "IeVer: float"},
    {148, 319, "method", "ExtraViewerX86",
     "FileName: BSTR, FileKey: BSTR, FileVer: BSTR, FileExt: BSTR, ExtraViewerVer: BSTR"},
};

const char* kEvents[][3] = {
    {"201", "OnActivate", ""},
    {"202", "OnClick", ""},
    {"203", "OnCreate", ""},
    {"204", "OnDblClick", ""},
    {"205", "OnDestroy", ""},
    {"206", "OnDeactivate", ""},
    {"207", "OnKeyPress", "Key: short&"},
    {"208", "OnMouseEnter", ""},
    {"209", "OnMouseLeave", ""},
    {"210", "OnPaint", ""},
};

QString typeName(const ovcom::ParamDesc& p) {
    if (!p.userType.isEmpty()) return p.userType;
    QString name;
    switch (p.type & ~ovcom::VT_BYREF) {
        case ovcom::VT_BSTR:
            name = u"BSTR"_s;
            break;
        case ovcom::VT_I4:
            name = u"long"_s;
            break;
        case ovcom::VT_I1:
            name = u"char"_s;
            break;
        case ovcom::VT_I2:
            name = u"short"_s;
            break;
        case ovcom::VT_R4:
            name = u"float"_s;
            break;
        case ovcom::VT_BOOL:
            name = u"VARIANT_BOOL"_s;
            break;
        default:
            name = u"?"_s;
    }
    return (p.type & ovcom::VT_BYREF) ? name + u'&' : name;
}

QString signatureOf(const ovcom::FuncDesc& f) {
    QStringList parts;
    for (const ovcom::ParamDesc& p : f.params)
        parts << (p.retval ? u"-> "_s : QString()) + p.name + u": "_s + typeName(p);
    return parts.join(u", "_s);
}

QString kindName(ovcom::MemberKind kind) {
    switch (kind) {
        case ovcom::MemberKind::Get:
            return u"get"_s;
        case ovcom::MemberKind::Put:
            return u"put"_s;
        case ovcom::MemberKind::PutRef:
            return u"putref"_s;
        default:
            return u"method"_s;
    }
}

TEST(MemberTable, EveryMemberMatchesThePublishedTable) {
    const auto& funcs = QuexFormXInterfaceInfo().funcs;
    ASSERT_EQ(funcs.size(), std::size(kPublished));
    for (std::size_t i = 0; i < funcs.size(); ++i) {
        const Row& row = kPublished[i];
        const ovcom::FuncDesc& f = funcs[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(f.position, row.position);
        EXPECT_EQ(f.id, row.dispid);
        EXPECT_EQ(kindName(f.kind), QLatin1StringView(row.kind));
        EXPECT_EQ(f.name, QLatin1StringView(row.name));
        EXPECT_EQ(signatureOf(f), QLatin1StringView(row.signature));
    }
}

TEST(MemberTable, HiddenStandardPropertiesAreMarked) {
    const auto& info = QuexFormXInterfaceInfo();
    EXPECT_TRUE(info.find(201, ovcom::MemberKind::Get)->hidden);   // Visible
    EXPECT_FALSE(info.find(202, ovcom::MemberKind::Get)->hidden);  // AutoScroll
    EXPECT_TRUE(info.find(-514, ovcom::MemberKind::Put)->hidden);  // Enabled
    EXPECT_FALSE(info.find(226, ovcom::MemberKind::Get)->hidden);  // ServerIp
}

TEST(MemberTable, NamesAreFoundWithoutRegardToCase) {
    for (const Row& row : kPublished) {
        const QString name = QString::fromLatin1(row.name);
        for (const QString& spelling : {name, name.toLower(), name.toUpper()}) {
            ovcom::DISPID id = 0;
            EXPECT_EQ(QuexFormXDispatcher().getIDsOfNames(&spelling, 1, &id), ovcom::S_OK)
                << row.name;
            EXPECT_EQ(id, row.dispid) << row.name;
        }
    }
    const QString unknown = u"NoSuchMember"_s;
    ovcom::DISPID id = 0;
    EXPECT_EQ(QuexFormXDispatcher().getIDsOfNames(&unknown, 1, &id), ovcom::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, -1);
    // Parameter names follow the member's name.
    const QString names[] = {u"FilesBatchTransmit"_s, u"sourceid"_s, u"Nope"_s};
    ovcom::DISPID ids[3] = {};
    EXPECT_EQ(QuexFormXDispatcher().getIDsOfNames(names, 3, ids), ovcom::DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 229);
    EXPECT_EQ(ids[1], 3);
    EXPECT_EQ(ids[2], -1);
}

TEST(MemberTable, EventsMatchThePublishedTable) {
    const auto& funcs = QuexFormXEventsInfo().funcs;
    ASSERT_EQ(funcs.size(), std::size(kEvents));
    for (std::size_t i = 0; i < funcs.size(); ++i) {
        EXPECT_EQ(funcs[i].id, QByteArray(kEvents[i][0]).toInt());
        EXPECT_EQ(funcs[i].name, QLatin1StringView(kEvents[i][1]));
        EXPECT_EQ(signatureOf(funcs[i]), QLatin1StringView(kEvents[i][2]));
    }
}

TEST(MemberTable, TypeLibraryHoldsItsSevenTypesInOrder) {
    const ovcom::TypeLibInfo& lib = OvCtrlTypeLib();
    EXPECT_EQ(lib.libid.toString(), u"{9C60329A-87E5-4E95-B80D-0BCA7C1B4069}"_s);
    EXPECT_EQ(lib.versionText(), u"2.7"_s);
    QStringList names;
    for (const ovcom::TypeInfo* t : lib.types)
        names << t->name + u' ' + t->guid.toString();
    EXPECT_EQ(names,
              QStringList({u"IQuexFormX {2195CBC3-3AC9-48C3-8A5A-89E57B8D61D3}"_s,
                           u"IQuexFormXEvents {A1CD59BF-28EF-4015-B814-3A154474E126}"_s,
                           u"QuexFormX {0E1DE5BF-C00E-436D-ACEB-8417B4CD46D5}"_s,
                           u"TxActiveFormBorderStyle {70B907B0-4966-4CFD-B459-AB710E7E0FBD}"_s,
                           u"TxPrintScale {2FA84AC6-18B5-4F0B-9B56-DC8C67D4CDB0}"_s,
                           u"TxMouseButton {CFAAEB0C-5AAB-4D37-A049-C9061509E3D2}"_s,
                           u"TxPopupMode {F0F9A11C-2372-4C4F-85F3-140DCA28C201}"_s}));
    EXPECT_EQ(lib.types[3]->constants.back().name, u"afbRaised"_s);
    EXPECT_EQ(QuexFormXClassInfo().defaultSource, &QuexFormXEventsInfo());
}

// An implementation of the interface that records which member ran.
class Recorder final : public IQuexFormX {
public:
    int last = 0;
    ovcom::HRESULT QueryInterface(const ovcom::Guid&, void**) override {
        return ovcom::E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    ovcom::HRESULT GetTypeInfoCount(std::uint32_t*) override { return ovcom::E_NOTIMPL; }
    ovcom::HRESULT GetTypeInfo(std::uint32_t, const ovcom::TypeInfo**) override {
        return ovcom::E_NOTIMPL;
    }
    ovcom::HRESULT GetIDsOfNames(const QString*, std::uint32_t, ovcom::DISPID*) override {
        return ovcom::E_NOTIMPL;
    }
    ovcom::HRESULT Invoke(ovcom::DISPID, std::uint16_t, ovcom::DispParams&, ovcom::Variant*,
                          ovcom::ExcepInfo*, std::uint32_t*) override {
        return ovcom::E_NOTIMPL;
    }
#define OV_RECORD(pos, id, kind, name, state, vis, ...)                          \
    ovcom::HRESULT OVCOM_SLOT(kind, name)(OVCOM_UNNAMED(__VA_ARGS__)) override { \
        last = pos;                                                              \
        return ovcom::S_OK;                                                      \
    }
    OV_QUEXFORMX_MEMBERS(OV_RECORD)
#undef OV_RECORD
};

// Calls the raw virtual-table entry `index` with the signature of `slot` and default values,
// as a client compiled against the interface would.
template <class... P>
void callRawSlot(IQuexFormX* object, std::size_t index, ovcom::HRESULT (IQuexFormX::*)(P...)) {
    using Raw = ovcom::HRESULT (*)(IQuexFormX*, P...);
    void** table = *reinterpret_cast<void***>(object);
    reinterpret_cast<Raw>(table[index])(object, std::remove_cvref_t<P>{}...);
}

TEST(MemberTable, VirtualSlotNRunsMemberN) {
    Recorder recorder;
    constexpr std::size_t kDispatchSlots = 7;
    std::vector<int> reached;
#define OV_CALL_SLOT(pos, id, kind, name, state, vis, ...)                                 \
    recorder.last = 0;                                                                     \
    callRawSlot(&recorder, kDispatchSlots + pos - 1, &IQuexFormX::OVCOM_SLOT(kind, name)); \
    EXPECT_EQ(recorder.last, pos) << #name;
    OV_QUEXFORMX_MEMBERS(OV_CALL_SLOT)
#undef OV_CALL_SLOT
}

TEST(MemberTable, InvokeOfEachMemberRunsThatMember) {
    Recorder recorder;
    for (const ovcom::FuncDesc& f : QuexFormXInterfaceInfo().funcs) {
        std::vector<ovcom::Variant> args;
        for (std::size_t i = 0; i < f.inputCount(); ++i) {
            const ovcom::VarType type = f.params[i].type;
            args.push_back(type == ovcom::VT_DISPATCH
                               ? ovcom::Variant(static_cast<ovcom::IDispatch*>(nullptr))
                               : ovcom::Variant(std::int8_t{1}));
        }
        ovcom::DispParams params{args};
        const std::uint16_t flags = f.kind == ovcom::MemberKind::Method ? ovcom::DISPATCH_METHOD
                                    : f.kind == ovcom::MemberKind::Get ? ovcom::DISPATCH_PROPERTYGET
                                    : f.kind == ovcom::MemberKind::Put
                                        ? ovcom::DISPATCH_PROPERTYPUT
                                        : ovcom::DISPATCH_PROPERTYPUTREF;
        recorder.last = 0;
        ovcom::Variant result;
        EXPECT_EQ(QuexFormXDispatcher().invoke(static_cast<IQuexFormX*>(&recorder), f.id, flags,
                                               params, &result, nullptr, nullptr),
                  ovcom::S_OK)
            << f.name.toStdString();
        EXPECT_EQ(recorder.last, f.position) << f.name.toStdString();
    }
}

}  // namespace

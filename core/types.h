#pragma once
// Enumerations and records that travel between the subsystems. Each enumeration is stored in
// one byte; where it travels as text or as a number, its ordinal is used.

#include <QString>
#include <QVector>
#include <bitset>
#include <cstdint>

namespace ov {

// A date and time: days since 1899-12-30 (local time) with the time of day as the fraction.
using TDateTime = double;

// Interface language; 0 means not decided yet. 1 is English and 2 is Chinese wherever the
// language travels as a number.
enum THS_Language : std::uint8_t { HSL_NONE = 0, HSL_ENG = 1, HSL_CN = 2 };

// How OvClient was started: normally, or with a login handed over by the control.
enum TStartStyle : std::uint8_t { SS_NONE = 0, SS_ACTIVTX = 1, MODEL_EXE = 2 };

// Direction of a batch transfer task.
enum TTranStyle : std::uint8_t {
    TS_Default = 0,
    TS_Upload = 1,
    TS_Download = 2,
    TS_DataImport = 3
};

// Whether a batch task's source is one file or a folder.
enum TFolderOrFile : std::uint8_t { FF_File = 1, FF_Folder = 2 };

// State of a batch task (7 and 8 have no meaning).
enum TTaskState : std::uint8_t {
    ST_Unknown = 0,
    ST_Init = 1,
    ST_Running = 2,
    ST_Paused = 3,
    ST_Completed = 4,
    ST_Waiting = 5,
    ST_Error = 6,
    ST_Deleted = 9
};

// Processing state of one file of a batch task: 1 to 4 count the attempts made so far.
enum TDealState : std::uint8_t { DL_New = 0, DL_GiveUp = 5, DL_Removed = 99, DL_Done = 100 };

// A set of permission numbers 0 to 111; permission n is bit n.
using THS_MemberPowers = std::bitset<112>;

struct THS_Org;
// A reference to an organisation node; nodes are owned by the model that builds them.
using PHS_Org = THS_Org*;
using PHS_OrgArray = QVector<PHS_Org>;

// One node of the organisation structure: a group or a member.
struct THS_Org {
    std::int32_t Id = 0;
    std::int32_t OuterID = 0;
    std::int32_t Display = 0;
    PHS_Org Father = nullptr;  // none for a root
    THS_MemberPowers Powers;
    QString Name;
    QString Desc;
    QString Text;
    std::int32_t Order = 0;
    std::int32_t Depth = 0;
    bool FullGroupName = false;
    std::int32_t From = 0;
    PHS_OrgArray Childs;   // child groups
    PHS_OrgArray Members;  // member nodes
};

// One user as the server describes it.
struct TOwnerRegInfo {
    std::int32_t OwnerId = 0;
    std::uint8_t SC = 0;  // security classification level
    char St = 0;          // state code
    bool OnLine = false;
    bool StChanged = false;
    std::int32_t Order = 0;
    TDateTime RegDt = 0;
    TDateTime LasterLoginTm = 0;
    std::int64_t AllSpace = 0;
    std::int64_t UserdSpace = 0;
    std::int32_t From = 0;
    QString DisplayName;
    QString Nick;
    QString Alias2;
    QString Email;
    QString CoreId;
    QString QQ;
    QString Tel;
    QString Ip;
    QString Remark;
    QString BindingIp;
    QString Macs;
    QString Portrait;
    QString PY;
};
using TOwnerRegInfoArray = QVector<TOwnerRegInfo>;

// A file-type code: up to four characters of an extension packed into 32 bits.
using TFileTypeArray = QVector<std::int32_t>;

// One file of an upload or download (a batch task entry, or a single upload).
struct TTidyFile {
    std::int64_t PathHash = 0;  // key of the file in its task's index
    std::int32_t NameHash = 0;  // HashText32 of the full path
    std::int64_t Size = 0;
    std::int32_t Kind = 0;  // file-type code
    TDealState Dealed = DL_New;
    std::int32_t OwnerId = 0;
    std::int32_t FolderId = 0;
    std::uint8_t OwnerType = 0;
    TDateTime ModifyDT = 0;  // last modification of the local file
    std::uint8_t SC = 0;
    bool DeletedOfServer = false;
    QString Path;
    QString Summary;
    QString FilePrt;
    QString DisplayName;  // sent in place of Path when set
};

// One security classification level.
struct TScInfo {
    std::uint8_t SC = 0;
    QString CnName;
    QString EngName;
    QString Icon;
};
using TScInfoArray = QVector<TScInfo>;

// One batch transfer task.
struct TBatchTransport {
    std::int32_t Id = 0;
    TTranStyle TranStyle = TS_Default;
    TFolderOrFile FF = FF_File;
    std::int32_t DestOwnerId = 0;
    std::int64_t DestFolderId = 0;
    QString DestFolderName;  // the local folder of a download
    std::int32_t SourceOwnerId = 0;
    std::int64_t SourceFolderId = 0;
    QString SourceFolderName;  // the local folder of an upload
    bool IsIncludeSubFolder = false;
    bool IsGetSummary = false;
    bool KeepClientNewFile = false;
    QString FilePrtParams;
    TDateTime FileStartDate = 0;
    TDateTime FileEndDate = 0;
    std::int64_t MinSize = 0;
    std::int64_t MaxSize = 0;
    TFileTypeArray Types;
    TTaskState St = ST_Unknown;
    TDateTime TaskStartTime = 0;  // time of day at which the task starts
    double TaskCyc = 0;           // repeat period in hours; 0 or less runs once
    TDateTime RunStartTime = 0;
    TDateTime RunEndTime = 0;
    bool IncludeRootPath = false;
    std::uint8_t SC = 0;
    QString ExtInfo;
};
using TBatchTransportArray = QVector<TBatchTransport>;

// One selected server item.
struct TSelectedInfo {
    std::int64_t FileKey = 0;  // file key or folder id
    QString FileName;
    std::int32_t Index = 0;
    bool IsFolder = false;
};
using TSelectedInfos = QVector<TSelectedInfo>;

// One keyword-filter entry: the keyword and its replacement (empty when none is given).
struct TFilterKeyword {
    QString SK;
    QString Ov;
};
using TFilterKeywordArray = QVector<TFilterKeyword>;

}  // namespace ov

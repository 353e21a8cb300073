#pragma once
// The client of the document server: one method per control-channel command. Each builds the
// request text (tagged text, most of them starting with the user's token), runs one request on
// a fresh connection and turns the reply into texts, numbers or the reply state.
//
// Three ways of running a request:
// - direct commands (they return the reply state) let network errors (NetError) pass;
// - text commands never raise for network failures: a failed request reads as an empty reply
//   and leaves "Network connection failed" in GetLastError;
// - numeric commands send header arguments only and never raise either.
// A client object belongs to one thread and serves one operation of its creator.

#include "core/pipetcpclient.h"
#include "core/trantype.h"
#include "core/types.h"

#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <functional>

namespace ov {

// Progress of a file transfer: (sender, whole size, size done).
using TDoTransmitState = std::function<void(void* sender, qint64 allSize, qint64 complateSize)>;
using TDoWorkEx = std::function<void(void* sender)>;

class TRobotTcpClient : public TPipeTcpClient {
public:
    explicit TRobotTcpClient(bool isSSL = false);
    ~TRobotTcpClient() override;

    // The user token; every command that carries the token prefix sends
    // "[EncryptCode]" + token + "[/EncryptCode]" first (nothing while no token is set).
    void SetUserEncryptId(const QString& token);
    QString UserEncryptId() const { return FUserEncryptId; }
    QString UserEncryptStr() const { return FUserEncryptStr; }
    // Language of result texts and value of the "language" tag (its ordinal).
    void SetLanguage(THS_Language language);
    THS_Language Language() const { return FLanguage; }

    bool IsBackupOldFile = true;
    bool IsPostMessage = true;
    TDoTransmitState OnTransmitState;
    TDoTransmitState OnTransmitOver;
    TDoWorkEx OnWorkEx;
    TDoWorkEx OnSocketError;
    // The caller's cancel flag for file transfers (not owned); read after every chunk, and a
    // transfer stops after the chunk in hand once it is set.
    std::atomic<bool>* PIsBreak = nullptr;

    // The text of a result code in the client's language; "" for codes without a text and
    // for a client without a language.
    QString GetDesc(std::uint8_t code) const;
    // Connects when not connected (raises NetError).
    void EnsureConnected();

    // Identity and messages.
    std::uint8_t Login(const QString& Name, const QString& PassWord, const QString& Mac,
                       const QString& BindingIp, const QString& BindingPort, QString& UserId,
                       QString& UserName, std::int32_t& UserId2);
    // Reply state (RS_Ok: messages are waiting); 0 on any exception.
    std::uint8_t GetUserMsg(const QString& url, QString& text);
    // The poll interval in seconds ("Space"); 60 when the reply gives no number.
    int GetMsgSpace();
    void GetUserGroup(QString& text);
    std::uint8_t GetMyGroups(QString& text);
    // The server's version text of the desktop program ("" on failure).
    QString GetClientVer();
    // The program file itself (the client's receive buffer, at position 0), or none on failure.
    QBuffer* GetClientFile();

    // Organisation, folders and files.
    std::uint8_t GetOrgStructure(QString& text, TTranStyle TranStyle = TS_Default);
    std::uint8_t GetOwnerFolders(std::int32_t OwnerId, QString& text);
    std::uint8_t GetSubFolders(std::int32_t OwnerId, std::int32_t FolderId, QString& text);
    std::uint8_t LoadFolderFiles(std::int32_t OwnerId, std::int64_t FolderId, QString& text);
    // One item per line ("no power" when refused); "" on failure.
    QString ListFolder(std::int32_t OwnerId, std::int64_t FolderId, bool IsIncludeSize);
    std::uint8_t GetFoldersDesc(std::int32_t OwnerId, QString& text);
    std::uint8_t GetFileName(std::int64_t FileKey, QString& text);
    QString GetResourceInfo(std::int64_t FileKey);
    // Tags "PathStr" and "PathIdStr".
    QString GetServerPath(std::int64_t FileKey, bool IsFolder);
    std::uint8_t CreateFolder(std::int32_t Ownerid, std::int64_t FatherFolderId,
                              const QString& FolderName, std::int64_t& NewFolderId);
    std::int64_t GetUserSpecificFolderID(std::int32_t Ownerid);
    QString GetServerFileNum(std::int32_t GroupID);
    void RefreshFolder(std::int32_t Ownerid, std::int64_t FolderId);
    // 1 when deleted, else a result code.
    std::uint8_t DelFolder(std::int32_t OwnerId, std::int64_t FolderId);
    std::uint8_t DelFile(std::int32_t OwnerId, std::int64_t FileKey);

    // File state, versions and descriptions.
    std::uint8_t CanDownloadFile(std::int64_t FileKey);
    std::int32_t LockFile(std::int64_t FileKey);
    std::int32_t UnLockFile(bool IsCancel, std::int64_t FileKey);
    // Raises ConvertError when the reply is not a number.
    TDateTime GetLastModifyTime(std::int64_t FileKey);
    std::int32_t IsInWriteAudit(std::int64_t FileKey);
    QString GetNewVer(std::int32_t Ownerid, std::int64_t FolderId, bool IsIncludeSub,
                      const QString& Cond);
    std::uint8_t RetrieveFileDesc(std::int64_t FileKey, QString& text);
    std::uint8_t UpdateFileDesc(const QString& Desc, std::int64_t FileKey);
    // The server's modification time and size of a file; raises ConvertError on a reply that
    // is not a date and a number.
    void GetServerFileInfo(std::int64_t FileKey, TDateTime localTime, std::int64_t localSize,
                           TDateTime& serverTime, std::int64_t& serverSize);
    // Reports a print (62) or print preview (63); the reply is ignored.
    void WriteOprLog(std::int64_t FileKey, std::int32_t Opr);
    QString UpdateFileExtInfo(const QString& FieldAndValue, std::int64_t FileKey);

    // Batch transfer support.
    // Largest upload in MB; 200 when the request failed.
    std::int32_t GetMaxFileSize();
    // The allowed file-type codes (42: every type).
    QVector<std::int32_t> GetFileType();
    void GetUploadLimit(std::int32_t& UploadLimitB, std::int32_t& UploadLimitT);
    // The task goes in its text form; the token prefix follows it.
    std::uint8_t GetDownloadFiles(const TBatchTransport& Cond, QString& FileTxt,
                                  QString& FileSummary, QString& FolderInfo, QString& ErrorTxt);
    std::uint8_t GetDownloadFiles(const QString& taskText, QString& FileTxt, QString& FileSummary,
                                  QString& FolderInfo, QString& ErrorTxt);
    // folders: the uploaded task's relative folder paths, one per line; the reply is ignored.
    void SendFolderList(std::int32_t OwnerId, std::int64_t FolderId, const QString& folders);
    std::uint8_t SendFileMsg(std::int32_t OwnerId, const QString& Keys);

    // Lists for export (RS_Ok2 on success).
    std::uint8_t GetFileList(std::int32_t OwnerId, std::int64_t FolderId, QString& text);
    std::uint8_t GetFolderList(std::int32_t OwnerId, std::int64_t FolderId, QString& text);
    std::uint8_t GetAllUsersList(QString& text);
    std::uint8_t GetFilePrtList(const QString& Cond, QString& text);
    std::uint8_t GetLogs(const QString& Cond, QString& text);

    // File channel (core/robotfilechannel*.cpp). None of these raises except ApiReceiveFile;
    // they return a result code and leave a text in GetLastError.
    std::uint8_t UploadFile(std::int32_t DestOwnerId, const QString& SubFolderName,
                            std::int64_t DestFolderId, const TTidyFile& File,
                            std::int64_t& NewFileKey);
    std::uint8_t UploadFile2(const QString& FileName, const QString& ExtraText,
                             std::int64_t FileKey);
    std::int32_t UploadKmItemFile(const QString& Ext, QIODevice& Stream, std::int64_t FileKey,
                                  std::uint8_t& Status);
    std::uint8_t DownloadFile(const QString& FileName, const QString& ExtraText,
                              std::int64_t FileKey);
    std::uint8_t DownloadFile(const QString& FileName, const QString& ExtraText,
                              std::int64_t FileKey, TDateTime& ServerTime);
    std::uint8_t DownloadFile2(const QString& FileName, std::int64_t FileKey);
    std::int32_t ApiReceiveFile(const QString& ParamText, const QString& FileName,
                                TDateTime ServerTime);

    // Any code with the given text, run as a direct command.
    std::uint8_t ApiPostText(TTranType code, const QString& text, QString& reply);
    // True when a connection could be opened.
    bool ApiConnectTest();

private:
    friend class FileTransfer;  // the file channel's steps

    // A direct command: the reply state, the reply text in `reply`; NetError passes.
    std::uint8_t Direct(TTranType code, const QString& request, QString& reply);
    std::uint8_t DirectWithHead(TTranType code, std::int32_t freeInt, std::int32_t freeInt2,
                                const QString& request, QString& reply);
    // A text command: the reply text ("" on failure, with *ok false); never raises.
    QString TextRequest(TTranType code, const QString& request, bool* ok = nullptr);
    // The token tag as the callers that write it themselves send it (also without a token).
    QString TokenTag() const;
    QString LanguageTag() const;
    // A numeric reply of the lock commands; a failure code's text goes into the last error.
    std::int32_t LockReply(const QString& reply, bool ok);

    QString FUserEncryptId;
    QString FUserEncryptStr;
    THS_Language FLanguage = HSL_NONE;
};

// "[tag]value[/tag]".
QString RequestTag(const QString& tag, const QString& value);
QString RequestTagNum(const QString& tag, std::int64_t value);
// "True" or "False".
QString RequestTagBool(const QString& tag, bool value);

}  // namespace ov

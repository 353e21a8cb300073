#pragma once
// The per-user settings shared by OvClient and OvCtrl. The object keeps the whole text of
// "zvq.sys" (tagged values, one per line) in memory, offers every setting as a typed property
// with its own default, and writes the text back only on Save. Three settings live in
// "zvq.dsc" and are read and rewritten on every access.
//
// Every object holds its own copy of the text: a change reaches another object only through
// Save and a new object, and of two objects that save, the later one wins.
//
// Thread safety: the in-memory text and the two caches (token, language) are guarded by one
// lock, so worker threads may read properties while another thread writes and saves. Property
// reads scan the in-memory text and never touch the disk, except the folder properties (which
// create their folder) and the "zvq.dsc" properties.

#include <QRect>
#include <QString>
#include <mutex>

#include "core/types.h"

namespace ov {

class TClientConfigX {
public:
    // Reads "zvq.sys" from the settings folder (created when missing). A missing or unreadable
    // file gives an empty text, so every property has its default.
    TClientConfigX();
    TClientConfigX(const TClientConfigX&) = delete;
    TClientConfigX& operator=(const TClientConfigX&) = delete;

    // Writes the text to "zvq.sys" (atomically, UTF-16LE with byte-order mark). Errors are
    // ignored and the change stays in memory; the result says whether the file was written.
    // An empty text writes nothing. A file that existed but could not be read when this object
    // was created is never overwritten (its settings would be lost).
    bool Save();
    // Logout: start style, token, user id and user name are emptied, then Save.
    void Clear();

    QString GetValueEx(const QString& name) const;
    void SetValueEx(const QString& name, const QString& value);

    // The trimmed value of a key (the letter case of a to z ignored); "" when missing.
    QString ReadString(const QString& key) const;
    // Replaces the key's value in place (the tag takes this spelling) or appends it.
    void WriteString(const QString& key, const QString& value);
    // Decimal value; 0 for anything that is not a number.
    int ReadInteger(const QString& key) const;
    void WriteInteger(const QString& key, int value);
    // "1" True, "0" False, anything else the default.
    bool ReadBool(const QString& key, bool def) const;
    void WriteBool(const QString& key, bool value);
    // A folder value ending with "/" ("\" read as "/"), else the documents folder + "OV/" +
    // subFolder; the folder is created.
    QString ReadFolder(const QString& key, const QString& subFolder) const;

    QString ServerHost() const;
    void SetServerHost(const QString& value);
    int ServerPort() const;  // 8088 when missing, 0 or not a number
    void SetServerPort(int value);
    QString BindingIp() const;
    void SetBindingIp(const QString& value);
    int BindingPort() const;
    void SetBindingPort(int value);
    // The user token, stored enciphered with a key made from this computer's adapter list;
    // deciphered once per object. "" on any failure.
    QString EncryptUserID() const;
    void SetEncryptUserID(const QString& value);
    int UserId() const;
    void SetUserId(int value);
    QString UserName() const;
    void SetUserName(const QString& value);
    QString LoginName() const;
    void SetLoginName(const QString& value);
    // Stored enciphered with the fixed key; "" when it cannot be deciphered.
    QString LoginPassword() const;
    void SetLoginPassword(const QString& value);
    bool IsInit() const;
    void SetIsInit(bool value);
    bool SaveLoginInfo() const;
    void SetSaveLoginInfo(bool value);
    bool AutoLogin() const;
    void SetAutoLogin(bool value);
    bool SavePassword() const;
    void SetSavePassword(bool value);
    int LastGroupId() const;
    void SetLastGroupId(int value);
    QString MyPicFileName() const;
    void SetMyPicFileName(const QString& value);
    QString MsgRoot() const;  // the value, else ConfigPath + "msg/"; ends with "/"; created
    void SetMsgRoot(const QString& value);
    QString ConfigPath() const;  // the settings folder, ending with "/"
    QString FontName() const;
    void SetFontName(const QString& value);
    int FontSize() const;
    void SetFontSize(int value);
    int FontColor() const;
    void SetFontColor(int value);
    QString FontStyle() const;
    void SetFontStyle(const QString& value);
    // Decided on first reading and kept for the object's life: 1 English, 2 or more Chinese,
    // else from the system language. The setter only stores the value for the next object.
    THS_Language SysLanguage() const;
    void SetSysLanguage(THS_Language value);
    QString WorkRoot() const;  // default: documents + "OV/work/"
    void SetWorkRoot(const QString& value);
    QString LastCheckoutPath() const;  // default: documents + "OV/"
    void SetLastCheckoutPath(const QString& value);
    // As stored; the documents folder when empty or missing on disk.
    QString DownloadRoot() const;
    void SetDownloadRoot(const QString& value);
    TStartStyle StartStyle() const;
    void SetStartStyle(TStartStyle value);
    bool ShowBackupTask() const;
    void SetShowBackupTask(bool value);
    bool AutovuexOpenOfficeFile() const;
    void SetAutovuexOpenOfficeFile(bool value);
    bool IsSSL() const;
    void SetIsSSL(bool value);
    bool IsCreateShortcut() const;
    void SetIsCreateShortcut(bool value);
    // Security classification levels of the logged-in user; memory only.
    TScInfoArray ScInfos() const;
    void SetScInfos(const TScInfoArray& value);
    QString FileExtInfo() const;
    void SetFileExtInfo(const QString& value);
    // The three "zvq.dsc" settings: every access reads (and a write rewrites) that file;
    // reading or writing errors reach the caller as FileError.
    bool DisplayEditGuide() const;
    void SetDisplayEditGuide(bool value);
    QString LastUploadPath() const;
    void SetLastUploadPath(const QString& value);
    bool IsIncludeRoot() const;
    void SetIsIncludeRoot(bool value);
    bool HorizontalOfImagePrint() const;
    void SetHorizontalOfImagePrint(bool value);
    // "http://" or "https://" + ServerHost + ":" + ServerPort, the base of HTTP requests.
    QString ServerUrl() const;
    QString AllInfo() const;
    int WebSocketPort() const;  // 13100 when missing or not a number
    void SetWebSocketPort(int value);
    // At least 800 by 680; a negative left or top gives 100.
    QRect PreviewRect() const;
    void SetPreviewRect(const QRect& value);
    // A year before now when missing or not a date.
    TDateTime LastTimeOfViewMsg() const;
    void SetLastTimeOfViewMsg(TDateTime value);

private:
    // A copy that shares no data with the original. Texts handed to other threads are
    // detached so that no string buffer is shared between a reader and a writer.
    static QString detached(const QString& text);
    QString dscFileName() const;
    QString readDscValue(const QString& key) const;
    void writeDscValue(const QString& key, const QString& value);

    const QString m_configPath;
    mutable std::mutex m_lock;  // guards the four fields below
    mutable QString FEncryptUserTxt;
    const QString FConfigFileName;
    QString FConfigStr;
    mutable THS_Language FLanguage = HSL_NONE;
    TScInfoArray FScInfos;
    // The file existed but could not be read at creation: Save must not replace it.
    bool m_unreadableFile = false;
};

}  // namespace ov

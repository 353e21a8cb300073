#pragma once
// Web commands: what the server's web pages ask the running client to do. A command is a
// one-byte code and an argument text. Start-ups hand commands to the running instance through
// the command file "WebCmd.txt" in the settings folder; the dispatcher (TWebModule) alone takes
// the file into the process's command queue.

#include <QByteArray>
#include <QList>
#include <QString>
#include <mutex>
#include <optional>

namespace ov {

// Web-command codes. Code 24 and every code outside 11..25 do nothing.
enum TWebCmdCode : quint8 {
    WC_ToClipboard = 11,
    WC_ToClipboard2 = 12,
    WC_Preview = 13,
    WC_OpenCopy = 14,
    WC_EditFile = 15,
    WC_SetWorkPath = 16,
    WC_GetNewVer = 17,
    WC_Checkout = 18,
    WC_CancelCheckout = 19,
    WC_Checkin = 20,
    WC_ScanUpload = 21,
    WC_UploadFiles = 22,
    WC_SmtpTest = 23,
    WC_BatchDownload = 25,
};

struct TWebCmd {
    quint8 Code = 0;  // 0: no command
    QString Cmd;
    friend bool operator==(const TWebCmd&, const TWebCmd&) = default;
};

// The process's queue of web commands, first in first out; any thread may use it.
class TWebCommand {
public:
    void Add(const TWebCmd& cmd);
    // The first command, removed from the queue; false when the queue is empty.
    bool Pop(TWebCmd& cmd);
    qsizetype Count() const;
    void Clear();

private:
    mutable std::mutex FLock;
    QList<TWebCmd> FList;
};

// The one queue of the process.
TWebCommand& WebCommand();

// "WebCmd.txt" in the settings folder.
QString WebCmdFileName();

// The file's bytes: "[Code]" code "[/Code][Cmd]" text "[/Cmd]" in the system code page, with no
// byte-order mark and no line end.
QByteArray WebCmdFileBytes(const TWebCmd& cmd);

// Writes the command file. A command file that the running instance has not taken yet is not
// overwritten: the write waits until it is gone, at most waitMs (0: no wait), and replaces it
// only then. The file appears whole or not at all. False when it could not be written.
bool WriteWebCmdFile(const QString& fileName, const TWebCmd& cmd, int waitMs);

// Takes the command file: moves it aside (so a writer waiting for it may go on at once), reads
// it and deletes it. The code is the tag "Code" as a number kept in one byte, the text the tag
// "Cmd" (tags in any letter case). nullopt when there is no file; a file too large for a
// command is deleted unread.
std::optional<TWebCmd> TakeWebCmdFile(const QString& fileName);

}  // namespace ov

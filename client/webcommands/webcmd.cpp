#include "client/webcommands/webcmd.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>
#include <cerrno>

#include "core/globalconfig.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/textfile.h"
#include "platform/atomicfile.h"
#include "platform/codepage.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Commands are short texts from a web page; anything far larger is not one.
constexpr qint64 kMaxWebCmdFileSize = 1024 * 1024;
constexpr int kPollMs = 25;

// A finished copy of the file beside it, to be moved into place in one step.
QString writeTemporary(const QString& fileName, const QByteArray& bytes) {
    QTemporaryFile file(fileName + u".XXXXXX"_s);
    file.setAutoRemove(false);
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        file.remove();
        return {};
    }
    ::fsync(file.handle());
    return file.fileName();
}

// Puts the finished copy in place unless a command file is there (link fails then).
bool linkIfAbsent(const QString& temporary, const QString& fileName) {
    return ::link(QFile::encodeName(temporary).constData(),
                  QFile::encodeName(fileName).constData()) == 0;
}

}  // namespace

void TWebCommand::Add(const TWebCmd& cmd) {
    std::lock_guard guard(FLock);
    FList.append(cmd);
}

bool TWebCommand::Pop(TWebCmd& cmd) {
    std::lock_guard guard(FLock);
    if (FList.isEmpty()) return false;
    cmd = FList.takeFirst();
    return true;
}

qsizetype TWebCommand::Count() const {
    std::lock_guard guard(FLock);
    return FList.size();
}

void TWebCommand::Clear() {
    std::lock_guard guard(FLock);
    FList.clear();
}

TWebCommand& WebCommand() {
    static TWebCommand queue;
    return queue;
}

QString WebCmdFileName() {
    return GlobalConfig()->ConfigPath() + u"WebCmd.txt"_s;
}

QByteArray WebCmdFileBytes(const TWebCmd& cmd) {
    const QString text =
        u"[Code]"_s + QString::number(cmd.Code) + u"[/Code][Cmd]"_s + cmd.Cmd + u"[/Cmd]"_s;
    return platform::toSystemCodePage(text);
}

bool WriteWebCmdFile(const QString& fileName, const TWebCmd& cmd, int waitMs) {
    const QByteArray bytes = WebCmdFileBytes(cmd);
    const QString temporary = writeTemporary(fileName, bytes);
    if (temporary.isEmpty()) return false;
    bool placed = linkIfAbsent(temporary, fileName);
    for (int waited = 0; !placed && errno == EEXIST && waited < waitMs; waited += kPollMs) {
        QThread::msleep(kPollMs);
        placed = linkIfAbsent(temporary, fileName);
    }
    QFile::remove(temporary);
    // Nobody took the earlier command in time: the newer one replaces it, as it always did.
    return placed || platform::writeFileAtomically(fileName, bytes);
}

std::optional<TWebCmd> TakeWebCmdFile(const QString& fileName) {
    const QString taken =
        fileName + u".taken-"_s + QString::number(QCoreApplication::applicationPid());
    // A folder in the file's place carries no command and is left where it is.
    if (QFileInfo(fileName).isDir()) return std::nullopt;
    QFile::remove(taken);
    if (!QFile::rename(fileName, taken)) return std::nullopt;
    // Only a regular file is opened: opening a pipe put in its place would block the timer for
    // good. It is deleted unread like a file too large for a command.
    const QFileInfo info(taken);
    std::optional<TWebCmd> cmd;
    if (info.isFile() && info.size() <= kMaxWebCmdFileSize) {
        try {
            const QString text = ReadTextFile(taken);
            cmd = TWebCmd{static_cast<quint8>(TextToIntDef0(ReadTagValue(text, u"Code"_s))),
                          ReadTagValue(text, u"Cmd"_s)};
        } catch (const std::exception&) {
            // An unreadable file carries no command.
        }
    }
    QFile::remove(taken);
    return cmd;
}

}  // namespace ov

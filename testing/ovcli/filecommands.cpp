// ovcli's file commands over the file channel, with progress on the error stream:
//   upload FOLDER FILE [OWNER]   a new file into a server folder (OWNER: the folder's owner,
//                                the logged-in user by default); prints the new file key
//   download KEY TARGET          a server file into a local file (resumes a partial one); the
//                                target's folder must exist

#include "testing/ovcli/ovcli.h"

#include "core/fileoperator.h"
#include "core/filetype.h"
#include "core/hash.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/split.h"

#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace ov::cli {

namespace {

// Prints "\r  NN% done of all" whenever the percentage changes.
void ShowProgress(TRobotTcpClient& client, QTextStream& err) {
    auto last = std::make_shared<int>(-1);
    client.OnTransmitState = [&err, last](void*, qint64 all, qint64 done) {
        const int percent = all > 0 ? int(done * 100 / all) : 100;
        if (percent == *last) return;
        *last = percent;
        err << "\r  " << percent << "%  " << done << " of " << all << " bytes" << Qt::flush;
    };
    client.OnTransmitOver = [&err](void*, qint64, qint64) { err << Qt::endl; };
}

TTidyFile LocalFile(const QString& path) {
    TTidyFile file;
    file.Path = QFileInfo(path).absoluteFilePath();
    file.NameHash = HashText32(file.Path);
    file.Kind = FileExtToCode(ExtractFileExtNoDot(file.Path));
    TFileOperator().GetFileSizeAndModifyTime(file.Path, file.Size, file.ModifyDT);
    return file;
}

// "ovcli: COMMAND: FILE: reason" on the error stream; exit status 1.
int FileFailure(const Where& where, const char* command, const QString& file,
                const QString& reason) {
    where.err << "ovcli: " << command << ": " << file << ": " << reason << Qt::endl;
    return 1;
}

// The client's text of a failed transfer, with the server's address for connection problems.
QString TransferFailure(TRobotTcpClient& client, std::uint8_t code, const Where& where) {
    const QString text = Printable(client.GetLastError().trimmed());
    if (code == RC_TimeOut) return u"%1 (server %2)"_s.arg(text, where.address);
    return u"%1 (code %2)"_s.arg(text).arg(code);
}

}  // namespace

int UploadCommand(TRobotTcpClient& client, std::int32_t userId, const QStringList& args,
                  const Where& where) {
    if (args.size() < 2 || args.size() > 3) return 2;
    const QFileInfo local(args[1]);
    if (!local.isFile())
        return FileFailure(where, "upload", args[1],
                           local.exists() ? u"not a regular file"_s : u"no such file"_s);
    const std::int64_t folder = TextToInt64Def0(args[0]);
    const std::int32_t owner = args.size() > 2 ? TextToIntDef0(args[2]) : userId;
    ShowProgress(client, where.err);
    std::int64_t key = 0;
    const std::uint8_t code = client.UploadFile(owner, QString(), folder, LocalFile(args[1]), key);
    if (code != RC_CanUpload || key == 0)
        return FileFailure(where, "upload", args[1], TransferFailure(client, code, where));
    where.out << "uploaded as file " << key << Qt::endl;
    return 0;
}

int DownloadCommand(TRobotTcpClient& client, const QStringList& args, const Where& where) {
    if (args.size() != 2) return 2;
    const QString folder = QFileInfo(args[1]).absolutePath();
    if (!QFileInfo(folder).isDir())
        return FileFailure(where, "download", args[1],
                           u"the folder %1 does not exist"_s.arg(folder));
    ShowProgress(client, where.err);
    const std::uint8_t code = client.DownloadFile(args[1], QString(), TextToInt64Def0(args[0]));
    if (code != RC_CanDownload)
        return FileFailure(where, "download", args[1], TransferFailure(client, code, where));
    where.out << "downloaded " << args[0] << " to " << args[1] << Qt::endl;
    return 0;
}

}  // namespace ov::cli

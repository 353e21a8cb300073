#include "client/webcommands/opencopy.h"

#include <QDir>
#include <QFile>

#include "client/webcommands/args.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/tagtext.h"
#include "platform/widgets/desktopopen.h"

using namespace Qt::StringLiterals;

namespace ov {

bool IsSafeCopyExt(const QString& ext) {
    return platform::isSafeToOpenExt(ext);
}

bool IsSafeCopyContent(const QString& path) {
    return platform::isSafeToOpenContent(path);
}

QString OpenCopyPath(const QString& folder, const QString& fileName) {
    const QString name = WebFileName(fileName);
    const QString ext = ExtractFileExtNoDot(name);
    if (ExtractFileTitle(name).isEmpty() || !IsSafeCopyExt(ext)) return {};
    return folder + ExtractFileTitle(name) + u"_dx."_s + ext;
}

void DeleteOldCopies(const QString& folder) {
    const QDir dir(folder);
    const QStringList copies =
        dir.entryList({u"*_dx.*"_s}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& copy : copies)
        QFile::remove(dir.filePath(copy));
}

bool OpenWithDesktop(const QString& path) {
    return platform::openWithDesktop(path);
}

QString TWebModule::DoOpenCopy(const QString& cmd) {
    const std::int64_t key = tagInt64(cmd, u"filekey"_s);
    if (key == 0) return u"File parameter error!"_s;
    const std::int32_t version = tagIntDef(cmd, u"filever"_s, -1);
    const QString failed = LangText(u"打开文件失败"_s, u"Failed to open the file"_s);
    const QString folder = GetLocalTempPath();
    DeleteOldCopies(folder);
    const QString copy = OpenCopyPath(folder, ReadTagValue(cmd, u"filename"_s));
    if (copy.isEmpty()) return failed;

    const auto config = GlobalConfig();
    TRobotTcpClient client(config->IsSSL());
    client.SetHost(config->ServerHost());
    client.SetPort(static_cast<quint16>(config->ServerPort()));
    client.SetUserEncryptId(config->EncryptUserID());
    client.SetLanguage(FHS_Language);
    client.SetReadTimeout(DownloadTimeoutMs);
    QString extra = u"[IsPreView]True[/IsPreView][IsReplace]True[/IsReplace]"_s;
    if (version >= 0) extra += u"[Versionid]"_s + QString::number(version) + u"[/Versionid]"_s;
    if (client.DownloadFile(copy, extra, key) != RC_CanDownload) return client.GetLastError();

    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    if (!IsSafeCopyContent(copy)) {
        QFile::remove(copy);
        return failed;
    }
    if (!OpenDocument(copy)) return failed;
    return {};
}

}  // namespace ov

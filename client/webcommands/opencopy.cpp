#include "client/webcommands/opencopy.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QSet>
#include <QUrl>

#include "client/webcommands/args.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Documents, pictures, media and archives: types that a viewer shows and nothing runs. Types
// that carry scripts a browser would run (web pages, pictures in markup) are left out too.
const QSet<QString>& safeExts() {
    static const QSet<QString> exts{
        u"txt"_s,  u"csv"_s,  u"log"_s, u"pdf"_s,  u"ai"_s,   u"rtf"_s, u"doc"_s,
        u"docx"_s, u"dotx"_s, u"xls"_s, u"xlsx"_s, u"xlsm"_s, u"ppt"_s, u"pptx"_s,
        u"pps"_s,  u"ppsx"_s, u"wps"_s, u"et"_s,   u"dps"_s,  u"odt"_s, u"ods"_s,
        u"odp"_s,  u"odg"_s,  u"vsd"_s, u"vsdx"_s, u"mpp"_s,  u"jpg"_s, u"jpeg"_s,
        u"png"_s,  u"gif"_s,  u"bmp"_s, u"tif"_s,  u"tiff"_s, u"dwg"_s, u"dxf"_s,
        u"zip"_s,  u"rar"_s,  u"7z"_s,  u"mp3"_s,  u"wav"_s,  u"mp4"_s, u"avi"_s};
    return exts;
}

// Contents that a desktop would run, or hand to an interpreter, when opened.
bool isProgramType(const QMimeType& type) {
    static const QStringList programs{u"application/x-executable"_s,
                                      u"application/x-sharedlib"_s,
                                      u"application/x-pie-executable"_s,
                                      u"application/x-shellscript"_s,
                                      u"application/x-desktop"_s,
                                      u"application/x-ms-dos-executable"_s,
                                      u"application/x-msdownload"_s,
                                      u"application/x-msi"_s,
                                      u"application/vnd.appimage"_s,
                                      u"application/x-java-archive"_s,
                                      u"application/x-perl"_s,
                                      u"text/x-python"_s,
                                      u"text/x-python3"_s,
                                      u"application/x-ruby"_s,
                                      u"text/html"_s,
                                      u"image/svg+xml"_s};
    for (const QString& program : programs)
        if (type.inherits(program)) return true;
    return false;
}

}  // namespace

bool IsSafeCopyExt(const QString& ext) {
    return safeExts().contains(ext.toLower());
}

bool IsSafeCopyContent(const QString& path) {
    const QMimeDatabase mimes;
    return !isProgramType(mimes.mimeTypeForFile(path, QMimeDatabase::MatchContent));
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
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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

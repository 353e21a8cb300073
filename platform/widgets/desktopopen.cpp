#include "platform/widgets/desktopopen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStringList>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ov::platform {

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

bool isSafeToOpenExt(const QString& ext) {
    return safeExts().contains(ext.toLower());
}

bool isSafeToOpenContent(const QString& path) {
    const QMimeDatabase mimes;
    return !isProgramType(mimes.mimeTypeForFile(path, QMimeDatabase::MatchContent));
}

bool isNoProgram(const QString& path) {
    const QMimeDatabase mimes;
    return !isProgramType(mimes.mimeTypeForFile(path, QMimeDatabase::MatchExtension)) &&
           isSafeToOpenContent(path);
}

bool openWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool openSafelyWithDesktop(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !isSafeToOpenExt(info.suffix()) || !isSafeToOpenContent(path))
        return false;
    return openWithDesktop(path);
}

}  // namespace ov::platform

#include "documents/uploads/clipboardfiles.h"

#include <QClipboard>
#include <QMimeData>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr qsizetype MaxPathBytes = 4096;
constexpr qsizetype MaxListBytes = qsizetype(MaxClipboardFiles) * 512;

void addLocal(QStringList& files, const QUrl& url) {
    if (files.size() >= MaxClipboardFiles || !url.isLocalFile()) return;
    const QString path = url.toLocalFile();
    if (!path.isEmpty() && path.toUtf8().size() <= MaxPathBytes) files.append(path);
}

QStringList fromUriLines(const QByteArray& bytes) {
    QStringList files;
    if (bytes.size() > MaxListBytes) return files;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray uri = line.trimmed();
        if (uri.isEmpty() || uri.startsWith('#') || uri == "copy" || uri == "cut") continue;
        addLocal(files, QUrl::fromEncoded(uri, QUrl::StrictMode));
    }
    return files;
}

}  // namespace

QStringList ClipboardFilesOf(const QMimeData* data) {
    if (!data) return {};
    if (data->hasFormat(u"text/uri-list"_s)) {
        const QStringList files = fromUriLines(data->data(u"text/uri-list"_s));
        if (!files.isEmpty()) return files;
    }
    if (data->hasFormat(u"x-special/gnome-copied-files"_s))
        return fromUriLines(data->data(u"x-special/gnome-copied-files"_s));
    return {};
}

QStringList TakeClipboardFiles(QClipboard* clipboard) {
    if (!clipboard) return {};
    const QStringList files = ClipboardFilesOf(clipboard->mimeData());
    if (!files.isEmpty()) clipboard->clear();
    return files;
}

}  // namespace ov

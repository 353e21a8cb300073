#include "control/thumbnails/thumbnailrun.h"

#include "core/robottcpclient.h"
#include "core/safejoin.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

// The name's last part: a reply names files, never folders to write into.
QString BaseName(const QString& name) {
    QString n = name;
    n.replace(u'\\', u'/');
    return n.section(u'/', -1);
}

struct TRemoved {
    QStringList files;
    ~TRemoved() {
        for (const QString& f : files)
            QFile::remove(f);
    }
};

}  // namespace

QString ThumbCondition(const QString& fileTypes, bool replace) {
    return u"[FileType]"_s + fileTypes + u"[/FileType][IsMicPic]True[/IsMicPic][IsReplace]"_s +
           (replace ? u"True"_s : u"False"_s) + u"[/IsReplace]"_s;
}

QVector<TThumbItem> ParseThumbList(const QString& reply) {
    QVector<TThumbItem> items;
    for (const QString& line : reply.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList fields;
        for (const QString& f : line.split(u'*'))
            if (!f.trimmed().isEmpty()) fields.append(f.trimmed());
        if (fields.isEmpty()) continue;
        while (fields.size() < 5)
            fields.append(QString());
        items.append({fields[0].toLongLong(), fields[3]});
    }
    return items;
}

TThumbOutcome MakeThumbnail(const TServerAccess& access, const QString& root,
                            const TThumbItem& item, const TPdfConverter& convert) {
    const QString name = BaseName(item.Name);
    if (!IsSafeNamePart(name)) return {false, u"Invalid file name: "_s + item.Name, {}};
    if (ThumbRendererOf(QFileInfo(name).suffix()) == TThumbRenderer::None)
        return {false, name + u": no renderer for this type, skipped"_s, {}};
    const QString local = root + name;
    const QString picture = root + u"ps"_s + QString::number(item.Key) + u".jpg"_s;
    TRemoved cleanup{{local, picture}};
    auto client = access.NewClient();
    if (client->DownloadFile(local, u"[IsReplace]True[/IsReplace]"_s, item.Key) != 10)
        return {false, name + u": "_s + client->GetLastError(), {}};
    QString error;
    TThumbOutcome out;
    out.Picture = RenderThumbnail(local, convert, error);
    if (out.Picture.isNull()) return {false, name + u": "_s + error, {}};
    QImageWriter writer(picture, "jpg");
    writer.setQuality(80);
    if (!writer.write(out.Picture)) return {false, name + u": "_s + writer.errorString(), {}};
    auto uploader = access.NewClient();
    const std::uint8_t code =
        uploader->UploadFile2(picture, u"[IsMicPic]True[/IsMicPic]"_s, item.Key);
    out.Uploaded = code == 3 || code == 1;  // can upload / ok
    if (!out.Uploaded) out.Log = name + u": "_s + uploader->GetLastError();
    return out;
}

}  // namespace ov::control

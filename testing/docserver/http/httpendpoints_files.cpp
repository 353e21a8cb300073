// "/getPower", "/getrelatedfiles", "/getjpg" and the downloads below "/helper/".

#include "testing/docserver/http/httpendpoints.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

HttpResponse powers(HttpContext& c) {
    const DocUser* user = c.userByToken(c.param(u"uid"_s));
    if (!user) return HttpResponse::text(u"Invalid user token"_s, 403);
    const DocFile* file = c.model.file(c.number(u"filekey"_s).value_or(0));
    if (!file) return HttpResponse::text(u"The file doesn't exist."_s, 404);
    return HttpResponse::text(c.model.mayAccessFile(*user, *file) ? c.content.powersText
                                                                  : c.content.noPowersText);
}

// "key=file name" of every related file that still exists, joined by "|"; empty when none.
HttpResponse relatedFiles(HttpContext& c) {
    const auto found = c.content.relatedFiles.find(c.number(u"filekey"_s).value_or(0));
    QStringList items;
    if (found != c.content.relatedFiles.end())
        for (const std::int64_t key : found->second)
            if (const DocFile* file = c.model.file(key))
                items.append(QString::number(key) + u'=' + file->name);
    return HttpResponse::text(items.join(u'|'));
}

// The page image `imageindex` (from 0) of a version of the file (-1 or 0: the current one).
HttpResponse pageImage(HttpContext& c) {
    const DocUser* user = c.userByToken(c.param(u"uid"_s));
    if (!user) return HttpResponse::text(u"Invalid user token"_s, 403);
    const auto index = c.number(u"imageindex"_s);
    const auto version =
        c.param(u"ver"_s).isEmpty() ? std::optional<qint64>(-1) : c.number(u"ver"_s);
    if (!index || !version) return HttpResponse::error(400);
    const DocFile* file = c.model.file(c.number(u"filekey"_s).value_or(0));
    if (!file || *version < -1 || *version > file->version) return HttpResponse::error(404);
    if (!c.model.mayAccessFile(*user, *file)) return HttpResponse::text(u"No permission"_s, 403);
    if (*index < 0 || *index >= c.content.pageImages.size()) return HttpResponse::error(404);
    return HttpResponse::bytes(c.content.pageImages.at(*index), "image/jpeg");
}

}  // namespace

void addFileEndpoints(HttpEndpointTable& table) {
    table["/getPower"] = powers;
    table["/getrelatedfiles"] = relatedFiles;
    table["/getjpg"] = pageImage;
}

std::optional<HttpResponse> helperDownload(const HttpContext& context) {
    const QByteArray prefix = "/helper/";
    if (!context.request.path.startsWith(prefix)) return std::nullopt;
    const QString name = QString::fromUtf8(context.request.path.mid(prefix.size()));
    // One plain name: nothing that could leave the folder.
    if (name.isEmpty() || name == u"."_s || name == u".."_s || name.contains(u'/') ||
        name.contains(u'\\') || name.contains(QChar(0)))
        return HttpResponse::error(404);
    const QByteArray type = "application/octet-stream";
    if (const auto found = context.content.helperFiles.find(name);
        found != context.content.helperFiles.end())
        return HttpResponse::bytes(found->second, type);
    if (context.content.helperFolder.isEmpty()) return HttpResponse::error(404);
    const QFileInfo info(context.content.helperFolder + u'/' + name);
    if (!info.isFile() || info.isSymLink()) return HttpResponse::error(404);
    HttpResponse response = HttpResponse::bytes(QByteArray(), type);
    response.bodyFile = info.filePath();
    return response;
}

}  // namespace ov::test

// Pictures and the pages a browser opens: home page, messages, preview and file properties.

#include "testing/docserver/http/httpendpoints.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

HttpEndpoint picture(QByteArray DocHttpContent::*member, const QByteArray& type) {
    return [member, type](HttpContext& c) {
        const QByteArray& bytes = c.content.*member;
        return bytes.isEmpty() ? HttpResponse::error(404) : HttpResponse::bytes(bytes, type);
    };
}

bool isPlainHostName(const QByteArray& name) {
    return !name.isEmpty() && name.size() <= 253 &&
           std::all_of(name.begin(), name.end(), [](char ch) {
               return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                      (ch >= '0' && ch <= '9') || ch == '.' || ch == '-';
           });
}

HttpResponse refusedPage() {
    return HttpResponse::html(notePage(u"Forbidden"_s, u"Invalid user token"_s), 403);
}

HttpResponse home(HttpContext& c) {
    const DocUser* user = c.userByClientToken(c.param(u"sn"_s));
    if (!user) return refusedPage();
    ServerAddress server = c.server;
    // The host as the browser reached us, so that the links lead back to the same server; a
    // name that could break the link (blanks, "#", "%") is not taken.
    if (const auto host = c.request.header("Host")) {
        const qsizetype colon = host->lastIndexOf(':');
        const QByteArray name = colon > 0 ? host->left(colon) : *host;
        if (isPlainHostName(name)) server.host = QString::fromLatin1(name);
    }
    return HttpResponse::html(homePage(c.model, *user, server));
}

HttpResponse messages(HttpContext&) {
    return HttpResponse::html(messagesPage());
}

HttpResponse preview(HttpContext& c) {
    const DocUser* user = c.userByClientToken(c.param(u"uid"_s));
    if (!user) return refusedPage();
    const DocFile* file = c.model.file(c.number(u"filekey"_s).value_or(0));
    if (!file)
        return HttpResponse::html(notePage(u"Not Found"_s, u"The file doesn't exist."_s), 404);
    if (!c.model.mayAccessFile(*user, *file))
        return HttpResponse::html(notePage(u"Forbidden"_s, u"No permission"_s), 403);
    return HttpResponse::html(previewPage(c.model, *file));
}

HttpResponse properties(HttpContext& c) {
    if (c.param(u"opr"_s) != u"page"_s) return HttpResponse::error(400);
    return HttpResponse::html(propertyPage());
}

}  // namespace

void addStaticEndpoints(HttpEndpointTable& table) {
    table["/static/clientLogo2.png"] = picture(&DocHttpContent::logoCn, "image/png");
    table["/static/clientLogo_ENG2.png"] = picture(&DocHttpContent::logoEng, "image/png");
    table["/static/watermark.bmp"] = picture(&DocHttpContent::watermark, "image/bmp");
}

void addPageEndpoints(HttpEndpointTable& table) {
    table["/index"] = home;
    table["/doc"] = messages;
    table["/previewopen"] = preview;
    table["/getPrtHtm"] = properties;
}

}  // namespace ov::test

#pragma once
// The endpoints of the HTTP side, by path. Each runs with the model's mutex held.

#include "testing/docserver/http/httpcontent.h"
#include "testing/docserver/http/httpmessage.h"
#include "testing/docserver/httppages.h"
#include "testing/docserver/model/model.h"

#include <functional>
#include <map>

namespace ov::test {

struct HttpContext {
    DocModel& model;
    const HttpRequest& request;
    const DocHttpContent& content;
    ServerAddress server;

    QString param(const QString& name) const { return request.param(name); }
    // The parameter as a number; nullopt when it is missing or not a number.
    std::optional<qint64> number(const QString& name) const;
    // The user of a user token ("uid" of the data requests); none when unknown or disabled.
    DocUser* userByToken(const QString& token) const;
    // The user of a one-time page token (enciphered "[R]..[/R][U]token[/U][Dt]..[/Dt]").
    DocUser* userByClientToken(const QString& clientToken) const;
};

using HttpEndpoint = std::function<HttpResponse(HttpContext&)>;
using HttpEndpointTable = std::map<QByteArray, HttpEndpoint>;

void addAccountEndpoints(HttpEndpointTable& table);  // user, client configuration, password
void addStaticEndpoints(HttpEndpointTable& table);   // logos, watermark
void addPageEndpoints(HttpEndpointTable& table);     // home, messages, preview, properties
void addFolderEndpoints(HttpEndpointTable& table);   // new folder, rename
void addFileEndpoints(HttpEndpointTable& table);     // permissions, related files, page images
void addControlEndpoints(HttpEndpointTable& table);  // the page that drives the control

// "/helper/<name>": a program or archive of the content; none for other paths.
std::optional<HttpResponse> helperDownload(const HttpContext& context);

}  // namespace ov::test

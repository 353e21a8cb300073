#include "client/mainwindow/serverconfig.h"

#include "client/mainwindow/servertexts.h"
#include "core/httpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

QString LogoUrlPath(THS_Language language) {
    return language == HSL_CN ? u"/static/clientLogo2.png"_s : u"/static/clientLogo_ENG2.png"_s;
}

TServerConfig FetchServerConfig(const TServerConfigRequest& request) {
    TServerConfig result;
    const QString user = QString::number(request.UserId);
    try {
        TSSLHttp http(request.SSL, sslvSSLv23);
        http.setReadTimeout(kServerConfigTimeoutMs);
        http.setMaxBodySize(kMaxServerConfigText);
        result.ScInfos =
            ParseScInfos(http.Get(request.ServerUrl + u"/user?opr=sc&userid="_s + user));
        result.FileExtInfo =
            http.Get(request.ServerUrl + u"/linkX?opr=clientconfig&userid="_s + user);
        http.setMaxBodySize(kMaxLogoSize);
        result.Logo = http.GetBytes(request.ServerUrl + LogoUrlPath(request.Language));
    } catch (...) {
        // what arrived before the failure is kept
    }
    return result;
}

}  // namespace ov

#include "client/editmonitor/monitorserver.h"

#include "core/robottcpclient.h"
#include "core/tagtext.h"
#include "core/trantype.h"

#include <QDir>
#include <exception>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool isPlainName(const QString& name) {
    return !name.isEmpty() && name != u"."_s && name != u".."_s && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

}  // namespace

MonitorFileInfo FetchMonitorFileInfo(const EditServer& server, std::int64_t fileKey) {
    MonitorFileInfo info;
    TRobotTcpClient client(server.isSsl);
    client.SetHost(server.host);
    client.SetPort(server.port);
    client.SetUserEncryptId(server.userIdStr);
    client.SetLanguage(server.language);
    try {
        QString text;
        if (client.GetFileName(fileKey, text) != RS_Ok2) {
            info.error = text.isEmpty() ? client.GetLastError() : text;
            return info;
        }
        info.name = text;
        info.pathStr = ReadTagValue(client.GetServerPath(fileKey, false), u"PathStr"_s);
        info.ok = true;
    } catch (const std::exception& e) {
        info.error = QString::fromLocal8Bit(e.what());
    }
    return info;
}

QString MonitorLocalPath(const QString& workRoot, const QString& pathStr, const QString& name) {
    if (!isPlainName(name)) return {};
    QString path = workRoot.endsWith(u'/') ? workRoot : workRoot + u'/';
    QString folders = pathStr;
    folders.replace(u'\\', u'/');
    for (const QString& folder : folders.split(u'/', Qt::SkipEmptyParts)) {
        if (!isPlainName(folder.trimmed())) return {};
        path += folder.trimmed() + u'/';
    }
    return path + name;
}

}  // namespace ov

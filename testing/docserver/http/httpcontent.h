#pragma once
// What the HTTP side serves beyond the model: the server's client configuration, security
// levels, pictures, page images, permission texts, related files and program downloads. Tests
// change any of it; `defaultHttpContent` fills it with small but real pictures and programs.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>

namespace ov::test {

// Faults of the HTTP side, for the clients' failure handling.
enum class HttpFault {
    None,
    Stall,           // the request is read, no response is ever sent
    CloseAfterBytes  // the head and only `faultBytes` bytes of the body are sent, then the close
};

struct DocHttpContent {
    // "/user?opr=sc": security levels, "level,Chinese name,English name" joined by ";".
    QString scInfos;
    // "/linkX?opr=clientconfig": the client configuration (tagged text).
    QString clientConfig;
    QByteArray logoCn;     // "/static/clientLogo2.png"
    QByteArray logoEng;    // "/static/clientLogo_ENG2.png"
    QByteArray watermark;  // "/static/watermark.bmp"
    // "/getjpg": the page images of every file (JFIF: 96, 96 and 300 dots per inch); an index
    // beyond them is not found.
    QList<QByteArray> pageImages;
    // "/getPower": the permission text of a user for a file the user may see, and the text
    // without any permission for the files of others.
    QString powersText;
    QString noPowersText;
    // "/getrelatedfiles": file key -> keys of the files drawn with it.
    std::map<std::int64_t, QList<std::int64_t>> relatedFiles;
    // "/helper/<name>": programs and archives, by exact name.
    std::map<QString, QByteArray> helperFiles;
    // Also "/helper/<name>": a folder whose files are served streamed from disk when the name
    // is not in `helperFiles` (empty: none).
    QString helperFolder;

    HttpFault fault = HttpFault::None;
    qint64 faultBytes = 0;
};

DocHttpContent defaultHttpContent();

// The v3 permission text with the given permissions set (positions 21 to 108).
QString powersV3Text(const QList<int>& powers);

}  // namespace ov::test

#pragma once
// The HTML pages of the HTTP side: the home page with the user's files, the preview page, the
// message page and the file-property form.

#include "testing/docserver/model/model.h"

#include <QString>

namespace ov::test {

// Where the desktop program reaches this server: the values of its "-s" switch.
struct ServerAddress {
    QString host;
    quint16 port = 0;
    bool tls = false;
};

// The preview command (web command 13) for a file, as the desktop program reads it.
QString previewCommandText(const DocFile& file);
// The desktop program's link that starts it (or hands over to it) with the server, the user's
// identity and the preview command of the file.
QString clientPreviewLink(const ServerAddress& server, const DocUser& user, const DocFile& file);

// The link that starts the desktop program (or hands over to it) with the server and the
// user's identity only, as a page does for a user who is logged in.
QString clientStartLink(const ServerAddress& server, const DocUser& user);
// The link of any web command: the start link with "-p" and the command (code and text).
QString clientCommandLink(const ServerAddress& server, const DocUser& user, int code,
                          const QString& cmd);

// The user's enciphered identity, as the program takes it over with "-u" and the control with
// SaveUsrInfo2.
QString handedIdentity(const DocUser& user);

// The model's mutex is held by the callers of these.
QString homePage(DocModel& model, const DocUser& user, const ServerAddress& server);
QString previewPage(DocModel& model, const DocFile& file);
QString messagesPage();
QString propertyPage();
// A small page that tells what went wrong.
QString notePage(const QString& title, const QString& text);

}  // namespace ov::test

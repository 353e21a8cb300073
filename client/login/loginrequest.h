#pragma once
// One login request to the document server: the user's name and password (and this
// computer's enciphered adapter list) go out, the display name, id and user token come back.

#include <QString>

#include "core/types.h"

namespace ov {

// The server a login goes to.
struct TLoginServer {
    QString host;
    int port = 0;
    bool ssl = false;
};

struct TLoginReply {
    bool ok = false;
    // Why the login failed: the server's text for a refused login, the connection's text for
    // a failed one; "" when nothing was sent (no usable server).
    QString error;
    QString userName;
    QString encryptId;  // the user token
    int userId = 0;
};

// Longest user name and user token kept from a login answer or a handed-over identity.
inline constexpr qsizetype kMaxUserNameLength = 256;
inline constexpr qsizetype kMaxUserTokenLength = 4096;

// The read time-out of a login request.
inline constexpr int kLoginReadTimeoutMs = 20000;

// The server as the login dialog's fields give it: the host and the port text trimmed; a port
// that is not a number is 443 with a secure connection and 80 without.
TLoginServer ServerFromFields(const QString& host, const QString& portText, bool ssl);

// Whether a login can be sent there: a host and a port from 1 to 65535.
bool IsUsableServer(const TLoginServer& server);

// The adapter list text enciphered as the login sends it; computed on the caller's thread.
QString LoginMacValue();

// Sends the login and waits for the answer (up to the read time-out); any thread may call it.
// A server that is not usable gives a failure with an empty error and sends nothing. An answer
// whose name or token could not be kept in the settings (too long, control characters, a
// closing tag "[/") is a failed login.
TLoginReply DoLogin(const TLoginServer& server, const QString& name, const QString& password,
                    const QString& mac, THS_Language language,
                    int readTimeoutMs = kLoginReadTimeoutMs);

}  // namespace ov

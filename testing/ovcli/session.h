#pragma once
// What ovcli keeps between invocations: the user token and the numeric user id of the last
// login, in a small file only the user may read.

#include <QString>
#include <cstdint>

namespace ov::cli {

struct Session {
    QString token;
    std::int32_t userId = 0;
};

// "$XDG_CONFIG_HOME/ovcli/session" (or its default).
QString DefaultSessionFile();
// An empty session when the file is missing or unreadable.
Session LoadSession(const QString& fileName);
// False with `error` set when the file could not be written.
bool SaveSession(const QString& fileName, const Session& session, QString& error);

}  // namespace ov::cli

#pragma once
// ovcli's commands over the core's document-server client:
//   ovcli --server HOST:PORT [--tls] [--lang en|cn] [--token T] [--session FILE] COMMAND ...
//   login NAME PASSWORD | status | folders [OWNER] | files FOLDER [OWNER] | lock KEY | unlock KEY
//   | upload FOLDER FILE [OWNER] | download KEY TARGET
// The login stores the token and user id in the session file; later commands use them unless
// --token is given. OWNER defaults to the logged-in user's id.

#include <QStringList>
#include <QTextStream>
#include <cstdint>

namespace ov::cli {

// Runs one command line (without the program name); returns the exit code: 0 success,
// 1 the server refused or the request failed, 2 a usage error.
int Run(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace ov::cli

namespace ov {
class TRobotTcpClient;
}

namespace ov::cli {

// The file commands (filecommands.cpp): upload FOLDER FILE [OWNER], download KEY TARGET.
int UploadCommand(TRobotTcpClient& client, std::int32_t userId, const QStringList& args,
                  QTextStream& out, QTextStream& err);
int DownloadCommand(TRobotTcpClient& client, const QStringList& args, QTextStream& out,
                    QTextStream& err);

}  // namespace ov::cli

#pragma once
// ovcli's commands over the core's document-server client:
//   ovcli --server HOST:PORT [--tls] [--lang en|cn] [--token T] [--session FILE] COMMAND ...
//   login NAME PASSWORD | status | folders [OWNER] | files FOLDER [OWNER] | lock KEY | unlock KEY
//   | upload FOLDER FILE [OWNER] | download KEY TARGET
// The login stores the token and user id in the session file; later commands use them unless
// --token is given. OWNER defaults to the logged-in user's id. Results go to the standard
// output, failures to the standard error; text from the server reaches the terminal with its
// control characters shown escaped.

#include <QStringList>
#include <QTextStream>
#include <cstdint>

namespace ov {
class TRobotTcpClient;
}

namespace ov::cli {

// Runs one command line (without the program name); returns the exit code: 0 success,
// 1 the server refused or the request failed, 2 a usage error.
int Run(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The text with every control character written as \xNN (and a backslash as \\), so that
// nothing a server sends can steer the terminal.
QString Printable(const QString& text);

// Where a command runs and reports: the server's address for messages, the two streams.
struct Where {
    QString address;  // "HOST:PORT"
    QTextStream& out;
    QTextStream& err;
};

// The file commands (filecommands.cpp): upload FOLDER FILE [OWNER], download KEY TARGET.
int UploadCommand(TRobotTcpClient& client, std::int32_t userId, const QStringList& args,
                  const Where& where);
int DownloadCommand(TRobotTcpClient& client, const QStringList& args, const Where& where);

}  // namespace ov::cli

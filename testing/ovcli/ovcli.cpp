#include "testing/ovcli/ovcli.h"

#include "core/cipher.h"
#include "core/datetime.h"
#include "core/macaddress.h"
#include "core/netstream.h"
#include "core/robottcpclient.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "testing/ovcli/session.h"

#include <QCommandLineParser>
#include <QXmlStreamReader>
#include <memory>

using namespace Qt::StringLiterals;

namespace ov::cli {

namespace {

struct Options {
    QString host;
    quint16 port = 0;
    bool tls = false;
    THS_Language language = HSL_ENG;
    QString sessionFile;
    Session session;
    QStringList command;
};

QString Usage() {
    return u"usage: ovcli --server HOST:PORT [--tls] [--lang en|cn] [--token TOKEN] "
           u"[--session FILE] COMMAND [ARGUMENTS]"_s;
}

QString Help() {
    return Usage() + uR"(

Drives a document server from the command line.

Commands:
  login NAME PASSWORD          log in; the session is kept for the commands below
  status                       whether the server answers
  folders [OWNER]              the folder tree of OWNER, each folder with its FOLDER number
  files FOLDER [OWNER]         the sub-folders and files of a folder, each file with its KEY
  lock KEY, unlock KEY         lock or unlock a file
  upload FOLDER FILE [OWNER]   upload a local file into a folder; prints the new file's KEY
  download KEY TARGET          download a file into TARGET (its folder must exist); a partial
                               TARGET left by an earlier attempt is resumed

Arguments:
  OWNER    the number of the user or group whose folders are meant; by default the user of
           the last login
  FOLDER   the number of a server folder, as "folders" lists it
  KEY      the number of a server file, as "files" and "upload" print it

Options:
  --server HOST:PORT   the document server (required)
  --tls                speak TLS to it
  --lang en|cn         the language of the server's messages (en by default)
  --token TOKEN        use this user token instead of the session's
  --session FILE       keep the session in FILE instead of
                       )"_s + DefaultSessionFile() + uR"(

The session file holds the token and user id of the last login and is readable by its owner
only. Exit status: 0 success, 1 the request failed or the server refused, 2 wrong usage.
)"_s;
}

// Ends a usage error: the reason, the usage line and the hint to --help.
int UsageError(QTextStream& err, const QString& reason) {
    err << "ovcli: " << reason << Qt::endl
        << Usage() << Qt::endl
        << "Run \"ovcli --help\" for the commands and what their arguments mean." << Qt::endl;
    return 2;
}

// "" when the text is a usable HOST:PORT, else what is wrong with it.
QString ParseServer(const QString& text, Options& options) {
    if (text.isEmpty()) return u"--server HOST:PORT is required"_s;
    const qsizetype colon = text.lastIndexOf(u':');
    bool ok = false;
    const uint port = colon > 0 ? text.mid(colon + 1).toUInt(&ok) : 0;
    if (colon <= 0) return u"--server %1: HOST:PORT expected"_s.arg(Printable(text));
    if (!ok || port == 0 || port > 65535)
        return u"--server %1: the port must be a number from 1 to 65535"_s.arg(Printable(text));
    options.host = text.left(colon);
    options.port = quint16(port);
    return {};
}

// "" when the command line is usable, else what is wrong with it.
QString Parse(QCommandLineParser& parser, const QStringList& arguments, Options& options) {
    if (!parser.parse(QStringList{u"ovcli"_s} + arguments)) return parser.errorText();
    const QString lang = parser.value(u"lang"_s);
    if (lang != u"en"_s && lang != u"cn"_s)
        return u"--lang %1: en or cn expected"_s.arg(Printable(lang));
    const QString server = ParseServer(parser.value(u"server"_s), options);
    if (!server.isEmpty()) return server;
    options.tls = parser.isSet(u"tls"_s);
    options.language = lang == u"cn"_s ? HSL_CN : HSL_ENG;
    options.sessionFile =
        parser.isSet(u"session"_s) ? parser.value(u"session"_s) : DefaultSessionFile();
    options.session = LoadSession(options.sessionFile);
    if (parser.isSet(u"token"_s)) options.session.token = parser.value(u"token"_s);
    options.command = parser.positionalArguments();
    return options.command.isEmpty() ? u"no command given"_s : QString();
}

void AddOptions(QCommandLineParser& parser) {
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOptions({{u"server"_s, u"server"_s, u"host:port"_s},
                       {u"tls"_s, u"TLS"_s},
                       {u"lang"_s, u"language"_s, u"lang"_s, u"en"_s},
                       {u"token"_s, u"token"_s, u"token"_s},
                       {u"session"_s, u"session file"_s, u"file"_s},
                       {{u"h"_s, u"help"_s}, u"help"_s}});
}

std::unique_ptr<TRobotTcpClient> MakeClient(const Options& options) {
    auto client = std::make_unique<TRobotTcpClient>(options.tls);
    client->SetHost(options.host);
    client->SetPort(options.port);
    client->SetLanguage(options.language);
    client->SetUserEncryptId(options.session.token);
    return client;
}

struct Context {
    Options& options;
    Where where;
    const QStringList& args;  // the command's own arguments
};

int Fail(const Context& c, const QString& text) {
    c.where.err << "ovcli: " << text << Qt::endl;
    return 1;
}

// A request that got no reply names the server it could not reach.
QString NoReply(const Context& c, const QString& reason) {
    return u"cannot reach %1 (%2)"_s.arg(c.where.address, Printable(reason));
}

// The failure of a request: the server's refusal, or the connection's failure.
int RequestFailed(const Context& c, const TRobotTcpClient& client, const QString& what) {
    const QString error = client.GetLastError();
    if (error == QString::fromLatin1(TPipeTcpClient::ConnectionFailedText))
        return Fail(c, NoReply(c, error));
    return Fail(c, u"%1: %2"_s.arg(what, Printable(error)));
}

int Login(Context& c) {
    if (c.args.size() != 2) return 2;
    auto client = MakeClient(c.options);
    client->SetReadTimeout(20000);
    QString token, name;
    std::int32_t id = 0;
    const std::uint8_t state =
        client->Login(c.args[0], c.args[1], EncryptString(GetIPAndMacList(), 3), c.options.host,
                      QString::number(c.options.port), token, name, id);
    if (state != RS_LoginOk) return RequestFailed(c, *client, u"login failed"_s);
    QString error;
    if (!SaveSession(c.options.sessionFile, {token, id}, error))
        return Fail(c, u"login refused: %1: %2"_s.arg(c.options.sessionFile, error));
    c.where.out << "logged in as " << Printable(name) << " (user id " << id << ")" << Qt::endl;
    return 0;
}

QString StateWords(std::uint8_t state) {
    switch (state) {
        case RS_Ok:
            return u"ready"_s;
        case RS_Refused:
        case RS_Refused2:
            return u"refusing requests"_s;
        default:
            return u"answering with the unknown state %1"_s.arg(state);
    }
}

int Status(Context& c) {
    if (!c.args.isEmpty()) return 2;
    const std::uint8_t state = MakeClient(c.options)->GetServerStatus();
    if (state == 20) return Fail(c, NoReply(c, u"no answer"_s));
    c.where.out << "server " << c.where.address << " is " << StateWords(state) << Qt::endl;
    return state == RS_Ok ? 0 : 1;
}

std::int32_t OwnerArg(const Context& c, qsizetype index) {
    return c.args.size() > index ? TextToIntDef0(c.args[index]) : c.options.session.userId;
}

// Prints the folder tree of the owner's folder XML, two blanks per level.
void PrintFolders(const QString& xmlText, QTextStream& out) {
    QXmlStreamReader xml(xmlText);
    int depth = -1;
    QString id;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Folder"_s) {
            ++depth;
            id = xml.attributes().value(u"Id"_s).toString();
        } else if (xml.isStartElement() && xml.name() == u"Path"_s) {
            out << QString(2 * std::max(depth, 0), u' ') << Printable(id) << "  "
                << Printable(xml.readElementText()) << Qt::endl;
        } else if (xml.isEndElement() && xml.name() == u"Folder"_s) {
            --depth;
        }
    }
}

int Folders(Context& c) {
    if (c.args.size() > 1) return 2;
    QString text;
    const std::uint8_t state = MakeClient(c.options)->GetOwnerFolders(OwnerArg(c, 0), text);
    if (state != RS_Ok) return Fail(c, u"refused: "_s + Printable(text));
    PrintFolders(text, c.where.out);
    return 0;
}

// One line of the server's list, "id*time*name*holder*folder*size", as table cells.
QString FileRow(const QString& line) {
    QStringList cells = line.split(u'*');
    while (cells.size() < 6)
        cells.append(QString());
    const std::int64_t time = TextToInt64Def0(cells[1]);
    cells[1] = time > 0 ? DateTimeToText(Int64ToDateTime(time)) : QString();
    cells[4] = cells[4].compare(u"True"_s, Qt::CaseInsensitive) == 0 ? u"yes"_s : u"no"_s;
    for (QString& cell : cells)
        cell = Printable(cell);
    return cells.join(u'\t');
}

// An empty list is an empty folder only when the folder is there.
bool FolderExists(TRobotTcpClient& client, std::int64_t folder) {
    return folder == 0 || !ReadTagValue(client.GetServerPath(folder, true), u"PathStr"_s).isEmpty();
}

int Files(Context& c) {
    if (c.args.isEmpty() || c.args.size() > 2) return 2;
    auto client = MakeClient(c.options);
    const std::int64_t folder = TextToInt64Def0(c.args[0]);
    const QString reply = client->ListFolder(OwnerArg(c, 1), folder, true);
    if (reply.isEmpty() && !client->GetLastError().isEmpty())
        return RequestFailed(c, *client, u"files"_s);
    if (reply.trimmed() == u"no power"_s) return Fail(c, u"folder %1: no power"_s.arg(folder));
    const QStringList lines = reply.split(u"\r\n"_s, Qt::SkipEmptyParts);
    if (lines.isEmpty() && !FolderExists(*client, folder))
        return Fail(c, u"folder %1 does not exist"_s.arg(folder));
    c.where.out << "id\tmodified\tname\tchecked out by\tfolder\tsize" << Qt::endl;
    for (const QString& line : lines)
        c.where.out << FileRow(line) << Qt::endl;
    return 0;
}

int LockOrUnlock(Context& c, bool lock) {
    if (c.args.size() != 1) return 2;
    auto client = MakeClient(c.options);
    const std::int64_t key = TextToInt64Def0(c.args[0]);
    const std::int32_t code = lock ? client->LockFile(key) : client->UnLockFile(false, key);
    if (std::uint8_t(code) == 1) {
        c.where.out << (lock ? "locked " : "unlocked ") << key << Qt::endl;
        return 0;
    }
    return RequestFailed(c, *client, u"%1 %2 failed (%3)"_s.arg(lock ? u"lock"_s : u"unlock"_s)
                                         .arg(key)
                                         .arg(code));
}

int Dispatch(Context& c, const QString& command) {
    if (command == u"login"_s) return Login(c);
    if (command == u"status"_s) return Status(c);
    // Every other command speaks for a logged-in user.
    if (c.options.session.token.isEmpty()) return Fail(c, u"not logged in, run login first"_s);
    if (command == u"folders"_s) return Folders(c);
    if (command == u"files"_s) return Files(c);
    if (command == u"lock"_s) return LockOrUnlock(c, true);
    if (command == u"unlock"_s) return LockOrUnlock(c, false);
    if (command == u"upload"_s)
        return UploadCommand(*MakeClient(c.options), c.options.session.userId, c.args, c.where);
    if (command == u"download"_s) return DownloadCommand(*MakeClient(c.options), c.args, c.where);
    return 2;
}

const QStringList Commands = {u"login"_s, u"status"_s, u"folders"_s, u"files"_s,
                              u"lock"_s,  u"unlock"_s, u"upload"_s,  u"download"_s};

}  // namespace

int Run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    AddOptions(parser);
    Options options;
    const QString problem = Parse(parser, arguments, options);
    if (parser.isSet(u"help"_s)) {
        out << Help() << Qt::flush;
        return 0;
    }
    if (!problem.isEmpty()) return UsageError(err, problem);
    const QString command = options.command.first();
    if (!Commands.contains(command))
        return UsageError(err, u"unknown command \"%1\""_s.arg(Printable(command)));
    const QStringList args = options.command.mid(1);
    Context context{options, {options.host + u':' + QString::number(options.port), out, err}, args};
    int code = 1;
    try {
        code = Dispatch(context, command);
    } catch (const NetError& e) {
        return Fail(context, NoReply(context, e.message()));
    } catch (const Error& e) {
        return Fail(context, Printable(e.message()));
    }
    if (code == 2) return UsageError(err, u"wrong arguments for \"%1\""_s.arg(command));
    return code;
}

}  // namespace ov::cli

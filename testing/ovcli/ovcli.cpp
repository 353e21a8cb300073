#include "testing/ovcli/ovcli.h"

#include "core/cipher.h"
#include "core/macaddress.h"
#include "core/netstream.h"
#include "core/robottcpclient.h"
#include "core/split.h"
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
           u"[--session FILE] login NAME PASSWORD | status | folders [OWNER] | "
           u"files FOLDER [OWNER] | lock KEY | unlock KEY | upload FOLDER FILE [OWNER] | "
           u"download KEY TARGET"_s;
}

bool ParseServer(const QString& text, Options& options) {
    const qsizetype colon = text.lastIndexOf(u':');
    bool ok = false;
    const uint port = colon > 0 ? text.mid(colon + 1).toUInt(&ok) : 0;
    if (!ok || port == 0 || port > 65535) return false;
    options.host = text.left(colon);
    options.port = quint16(port);
    return true;
}

bool Parse(const QStringList& arguments, Options& options) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOptions({{u"server"_s, u"host:port"_s, u"server"_s},
                       {u"tls"_s, u"TLS"_s},
                       {u"lang"_s, u"language"_s, u"lang"_s, u"en"_s},
                       {u"token"_s, u"token"_s, u"token"_s},
                       {u"session"_s, u"session file"_s, u"file"_s}});
    if (!parser.parse(QStringList{u"ovcli"_s} + arguments)) return false;
    if (!ParseServer(parser.value(u"server"_s), options)) return false;
    options.tls = parser.isSet(u"tls"_s);
    options.language = parser.value(u"lang"_s) == u"cn"_s ? HSL_CN : HSL_ENG;
    options.sessionFile =
        parser.isSet(u"session"_s) ? parser.value(u"session"_s) : DefaultSessionFile();
    options.session = LoadSession(options.sessionFile);
    if (parser.isSet(u"token"_s)) options.session.token = parser.value(u"token"_s);
    options.command = parser.positionalArguments();
    return !options.command.isEmpty();
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
    QTextStream& out;
    QTextStream& err;
    const QStringList& args;  // the command's own arguments
};

int Login(Context& c) {
    if (c.args.size() != 2) return 2;
    auto client = MakeClient(c.options);
    client->SetReadTimeout(20000);
    QString token, name;
    std::int32_t id = 0;
    const std::uint8_t state =
        client->Login(c.args[0], c.args[1], EncryptString(GetIPAndMacList(), 3), c.options.host,
                      QString::number(c.options.port), token, name, id);
    if (state != RS_LoginOk) {
        c.out << "login failed: " << client->GetLastError() << Qt::endl;
        return 1;
    }
    QString error;
    if (!SaveSession(c.options.sessionFile, {token, id}, error)) {
        c.err << "cannot save the session: " << error << Qt::endl;
        return 1;
    }
    c.out << "logged in as " << name << " (user id " << id << ")" << Qt::endl;
    return 0;
}

int Status(Context& c) {
    const std::uint8_t state = MakeClient(c.options)->GetServerStatus();
    c.out << "server status: " << int(state);
    if (state > 32 && state < 127) c.out << " ('" << QChar(char16_t(state)) << "')";
    c.out << Qt::endl;
    return state == 20 ? 1 : 0;
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
            out << QString(2 * depth, u' ') << id << "  " << xml.readElementText() << Qt::endl;
        } else if (xml.isEndElement() && xml.name() == u"Folder"_s) {
            --depth;
        }
    }
}

int Folders(Context& c) {
    if (c.args.size() > 1) return 2;
    QString text;
    const std::uint8_t state = MakeClient(c.options)->GetOwnerFolders(OwnerArg(c, 0), text);
    if (state != RS_Ok) {
        c.out << "refused: " << text << Qt::endl;
        return 1;
    }
    PrintFolders(text, c.out);
    return 0;
}

int Files(Context& c) {
    if (c.args.isEmpty() || c.args.size() > 2) return 2;
    auto client = MakeClient(c.options);
    const QString reply = client->ListFolder(OwnerArg(c, 1), TextToInt64Def0(c.args[0]), true);
    if (reply.isEmpty() && !client->GetLastError().isEmpty()) {
        c.out << "failed: " << client->GetLastError() << Qt::endl;
        return 1;
    }
    if (reply.trimmed() == u"no power"_s) {
        c.out << "no power" << Qt::endl;
        return 1;
    }
    c.out << "id\tmodified\tname\tchecked out by\tfolder\tsize" << Qt::endl;
    for (const QString& line : reply.split(u"\r\n"_s, Qt::SkipEmptyParts))
        c.out << QString(line).replace(u'*', u'\t') << Qt::endl;
    return 0;
}

int LockOrUnlock(Context& c, bool lock) {
    if (c.args.size() != 1) return 2;
    auto client = MakeClient(c.options);
    const std::int64_t key = TextToInt64Def0(c.args[0]);
    const std::int32_t code = lock ? client->LockFile(key) : client->UnLockFile(false, key);
    if (std::uint8_t(code) == 1) {
        c.out << (lock ? "locked " : "unlocked ") << key << Qt::endl;
        return 0;
    }
    c.out << (lock ? "lock" : "unlock") << " failed (" << code << "): " << client->GetLastError()
          << Qt::endl;
    return 1;
}

int Dispatch(Context& c, const QString& command) {
    if (command == u"login"_s) return Login(c);
    if (command == u"status"_s) return c.args.isEmpty() ? Status(c) : 2;
    if (command == u"folders"_s) return Folders(c);
    if (command == u"files"_s) return Files(c);
    if (command == u"lock"_s) return LockOrUnlock(c, true);
    if (command == u"unlock"_s) return LockOrUnlock(c, false);
    if (command == u"upload"_s)
        return UploadCommand(*MakeClient(c.options), c.options.session.userId, c.args, c.out,
                             c.err);
    if (command == u"download"_s)
        return DownloadCommand(*MakeClient(c.options), c.args, c.out, c.err);
    return 2;
}

}  // namespace

int Run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    Options options;
    if (!Parse(arguments, options)) {
        err << Usage() << Qt::endl;
        return 2;
    }
    const QStringList args = options.command.mid(1);
    Context context{options, out, err, args};
    int code = 1;
    try {
        code = Dispatch(context, options.command.first());
    } catch (const Error& e) {
        out << "failed: " << e.message() << Qt::endl;
        return 1;
    }
    if (code == 2) err << Usage() << Qt::endl;
    return code;
}

}  // namespace ov::cli

// What web pages hand the client: the "OvClient://" argument of the URL scheme (switches,
// URL decoding, the web command of "-p") and the command file "WebCmd.txt". The first byte
// chooses the part; the rest is the text (the argument) or the file's bytes.

#include "fuzzsupport.h"

#include "client/startup/startup.h"
#include "client/webcommands/args.h"
#include "client/webcommands/webcmd.h"
#include "core/clientconfig.h"

#include <QFile>
#include <cstdlib>

using namespace ov;

namespace {

void Argument(const QString& text) {
    static TClientConfigX config;  // switches that change a setting save it: once is enough
    TWebCmd cmd;
    ApplySwitches(PrepareArgument(text), config, cmd);
    IsUrlEncoded(text);
    UrlDecodeUtf8(text);
    ApplyWebCommand(text, cmd);
    tagInt(cmd.Cmd, QStringLiteral("filekey"));
    tagInt64(cmd.Cmd, QStringLiteral("filekey"));
    tagIntDef(cmd.Cmd, QStringLiteral("filever"), -1);
    const QString name = WebFileName(text);
    // A name from a page never leads out of its folder.
    if (name.contains(u'/') || name.contains(u'\\') || name == QStringLiteral("..")) std::abort();
}

void CommandFile(const QByteArray& bytes) {
    static const QString file = fuzz::ScratchFolder() + QStringLiteral("WebCmd.txt");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) std::abort();
    out.write(bytes);
    out.close();
    if (const auto cmd = TakeWebCmdFile(file)) WebFileName(cmd->Cmd);
    if (QFile::exists(file)) std::abort();  // taken, or deleted unread
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    fuzz::ScratchFolder();
    const QByteArray rest = fuzz::Bytes(data + 1, size - 1);
    if (data[0] & 1)
        CommandFile(rest);
    else
        Argument(QString::fromUtf8(rest));
    return 0;
}

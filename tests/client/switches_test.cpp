#include <gtest/gtest.h>
#include <QFile>

#include "client/startup/startup.h"
#include "core/cipher.h"
#include "core/clientconfig.h"
#include "core/paths.h"
#include "platform/adapters.h"
#include "platform/codepage.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov;

// Failures show the texts.
void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

TEST(Startup, PrepareArgument) {
    const struct {
        QString argument;
        QStringList tokens;
    } cases[] = {
        {u"OvClient://-l%201/"_s, {u"-l"_s, u"1"_s}},
        {u"ovclient://-r/"_s, {u"-r"_s}},
        {u"OVCLIENT://-l%20%201"_s, {u"-l"_s, u""_s, u"1"_s}},  // empty token kept
        {u"-p%20a/b/"_s, {u"-p"_s, u"a/b"_s}},                  // only the final "/" goes
        {u"-l%2"_s, {u"-l%2"_s}},
        {u"a  b "_s, {u"a"_s, u""_s, u"b"_s}},
        {u"OvClient:/"_s, {u"OvClient:"_s}},
        {u"/"_s, {u""_s}},  // the blank that replaced "/" ends one empty token
        {QString(), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrepareArgument(c.argument), c.tokens) << c.argument.toStdString();
}

TEST(Startup, UrlEncodingCheckAndDecoding) {
    const struct {
        QString text;
        bool encoded;
        QString decoded;
    } cases[] = {
        {QString(), true, QString()},
        {u"%E4%B8%AD%20x+y"_s, true, u"中 x+y"_s},
        {u"a%zzb"_s, false, u"a%zzb"_s},             // an invalid escape stays as written
        {u"ab%4"_s, true, u"ab%4"_s},                // "%" among the last two characters
        {u"%u4E2D%uD83D%uDE00"_s, false, u"中😀"_s},  // a surrogate pair gives one character
        {u"中%41"_s, false, u"中A"_s},     // a Chinese character is kept, not cut to a byte
        {u"\u0080"_s, true, u"\u0080"_s},  // code 128 itself does not count as above 128
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUrlEncoded(c.text), c.encoded) << c.text.toStdString();
        EXPECT_EQ(UrlDecodeUtf8(c.text), c.decoded) << c.text.toStdString();
    }
}

namespace {

// What a start-up left behind, as one line: the result, the saved settings read back by a new
// settings object, and the pending command.
QString outcome(const QString& argument) {
    TWebCmd cmd;
    SwitchResult result;
    {
        TClientConfigX config;
        result = ApplySwitches(PrepareArgument(argument), config, cmd);
    }
    const bool saved = QFile::exists(GetUserDataPath() + u"zvq.sys"_s);
    TClientConfigX config;
    return u"%1 saved=%2 lang=%3 server=%4:%5:%6 user=%7/%8/%9 style=%10 cmd=%11:%12"_s
        .arg(result == SwitchResult::Register ? u"register"_s : u"continue"_s)
        .arg(saved ? u"true"_s : u"false"_s)
        .arg(config.ReadString(u"Language"_s), config.ServerHost())
        .arg(config.ServerPort())
        .arg(config.IsSSL() ? u"true"_s : u"false"_s)
        .arg(config.UserId())
        .arg(config.EncryptUserID(), config.UserName())
        .arg(int(config.StartStyle()))
        .arg(cmd.Code)
        .arg(cmd.Cmd);
}

}  // namespace

TEST(Startup, SwitchesSaveSettingsAndSetTheCommand) {
    platform::setSystemCodePageOverride(936);
    platform::setAdapterSource([] {
        return std::optional<platform::AdapterList>(
            {{QByteArray("\x00\x1A\x2B\x3C\x4D\x5E", 6), {u"192.168.1.10"_s}}});
    });
    const QString identity = EncryptString(
        u"[UserId2] 42 [/UserId2][UserId]tok-1[/UserId][UserName]张三[/UserName]"_s, 1);
    const QString none = u"saved=false lang= server=:8088:false user=0// style=0"_s;
    const struct {
        QString argument;
        QString outcome;
    } cases[] = {
        {QString(), u"continue "_s + none + u" cmd=0:"_s},
        {u"OvClient://-l%201/"_s,
         u"continue saved=true lang=1 server=:8088:false user=0// style=0 cmd=0:"_s},
        {u"-l%20x"_s, u"continue saved=true lang=2 server=:8088:false user=0// style=0 cmd=0:"_s},
        // "-p" is the language value (not a number: 2), then a switch without a value.
        {u"-l%20-p"_s, u"continue saved=true lang=2 server=:8088:false user=0// style=0 cmd=0:"_s},
        {u"-L 1 -S h#1#1"_s, u"continue "_s + none + u" cmd=0:"_s},  // case counts
        {u"ovclient://-r/"_s, u"register "_s + none + u" cmd=0:"_s},
        // Switches before "-r" have acted; the ones after it are not read.
        {u"-l 1 -r -s h#1#1"_s,
         u"register saved=true lang=1 server=:8088:false user=0// style=0 cmd=0:"_s},
        {u"-s //srv.example/#8443#1/"_s,
         u"continue saved=true lang= server=srv.example:8443:true user=0// style=0 cmd=0:"_s},
        {u"-s srv#x#0"_s,
         u"continue saved=true lang= server=srv:80:false user=0// style=0 cmd=0:"_s},
        {u"-s srv"_s, u"continue saved=true lang= server=srv:80:false user=0// style=0 cmd=0:"_s},
        {u"-u "_s + identity,
         u"continue saved=true lang= server=:8088:false user=42/tok-1/张三 style=1 cmd=0:"_s},
        {u"-u 00FF"_s, u"continue saved=true lang= server=:8088:false user=0// style=1 cmd=0:"_s},
        {u"-p [code]13[/code][cmd][filekey]5[/filekey][/cmd]"_s,
         u"continue "_s + none + u" cmd=13:[filekey]5[/filekey]"_s},
        {u"-p [CODE]11[/CODE][cmd]a##b[/cmd]"_s, u"continue "_s + none + u" cmd=11:a b"_s},
        {u"-p [code]11[/code][cmd]%E4%B8%AD[/cmd]"_s, u"continue "_s + none + u" cmd=11:中"_s},
        {u"-p [code]11[/code][cmd]中%41[/cmd][bs]Chrome[/bs]"_s,
         u"continue "_s + none + u" cmd=11:中%41"_s},
        {u"-p [code]11[/code][cmd]中%41[/cmd][bs]chrome[/bs]"_s,
         u"continue "_s + none + u" cmd=11:中A"_s},
        {u"-p [code]256[/code][cmd]x[/cmd]"_s, u"continue "_s + none + u" cmd=0:x"_s},
        {u"-p [code]511[/code][cmd]x[/cmd]"_s, u"continue "_s + none + u" cmd=255:x"_s},
        {u"-p [code]12[/code][cmd]a[/cmd] -p [code]512[/code][cmd]b[/cmd] -p [code]0[/code]"_s,
         u"continue "_s + none + u" cmd=12:a"_s},
        {u"-p [code]11[/code][cmd]a[/cmd] -p [code]12[/code][cmd]b[/cmd]"_s,
         u"continue "_s + none + u" cmd=12:b"_s},
    };
    for (const auto& c : cases) {
        test::TempHome home;
        EXPECT_EQ(outcome(c.argument), c.outcome) << c.argument.toStdString();
    }
    platform::setAdapterSource({});
    platform::setSystemCodePageOverride(0);
}

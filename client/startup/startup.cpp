#include "client/startup/startup.h"

#include <QThread>

#include "client/login/loginrequest.h"
#include "core/cipher.h"
#include "core/clientprogram.h"
#include "core/globalconfig.h"
#include "core/powers.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "platform/windowbus.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool isHexChar(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The value of `count` hexadecimal digits at `at`, or -1.
int hexValue(const QString& text, qsizetype at, int count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = text[at + i];
        if (!isHexChar(c)) return -1;
        const char16_t u = c.unicode();
        value = value * 16 + (u <= u'9' ? u - u'0' : (u | 0x20) - u'a' + 10);
    }
    return value;
}

void applyLanguage(const QString& value, TClientConfigX& config) {
    bool ok = false;
    const int number = value.toInt(&ok);
    const int language = ok ? number : 2;
    config.SetSysLanguage(language == 1 ? HSL_ENG : language >= 2 ? HSL_CN : HSL_NONE);
    config.Save();
}

// Whether a text from a page may be kept in the settings and shown: bounded, one line, and
// free of the brackets that mark the settings' own tags (a value holding "[/Tag][Other]..."
// would plant settings of its choice) and of markup.
bool isPlainHandedText(const QString& text, qsizetype maxLength, bool allowBlanks) {
    if (text.size() > maxLength) return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (!allowBlanks && c.isSpace()))
            return false;
        if (c == u'[' || c == u']' || c == u'<' || c == u'>') return false;
    }
    return true;
}

void applyServer(const QString& value, TClientConfigX& config) {
    // A value with fewer than three fields gives port 80 and no SSL for the missing ones.
    const QStringList fields = QString(value).remove(u'/').split(u'#');
    // A host that cannot be a host name leaves the server setting as it was.
    if (!isPlainHandedText(fields.value(0), kMaxHandedHostLength, false)) return;
    bool ok = false;
    const int port = fields.value(1).trimmed().toInt(&ok);
    config.SetServerHost(fields.value(0));
    config.SetServerPort(ok && port > 0 && port <= 65535 ? port : 80);
    config.SetIsSSL(fields.value(2) == u"1"_s);
    config.Save();
}

void applyIdentity(const QString& value, TClientConfigX& config) {
    const QString identity = DecryptString(value, 1);
    int userId = TextToIntDef0(ReadTagValue(identity, u"UserId2"_s));
    QString token = ReadTagValue(identity, u"UserId"_s);
    QString name = ReadTagValue(identity, u"UserName"_s);
    // An identity that could not be kept safely counts as one that cannot be deciphered.
    if (userId < 0 || !isPlainHandedText(token, kMaxUserTokenLength, false) ||
        !isPlainHandedText(name, kMaxUserNameLength, true)) {
        userId = 0;
        token.clear();
        name.clear();
    }
    config.SetUserId(userId);
    config.SetEncryptUserID(token);
    config.SetUserName(name);
    config.SetStartStyle(SS_ACTIVTX);
    config.Save();
}

}  // namespace

QStringList PrepareArgument(const QString& argument) {
    QString text = argument;
    if (text.endsWith(u'/')) text.back() = u' ';
    text = ReplaceAllText(text, u"OvClient://"_s, QString());
    text = ReplaceAllText(text, u"%20"_s, u" "_s);
    QStringList tokens = text.split(u' ');
    if (!tokens.isEmpty() && tokens.last().isEmpty()) tokens.removeLast();
    return tokens;
}

bool IsUrlEncoded(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > 128) return false;
        if (text[i] == u'%' && i + 2 < text.size() &&
            !(isHexChar(text[i + 1]) && isHexChar(text[i + 2])))
            return false;
    }
    return true;
}

QString UrlDecodeUtf8(const QString& text) {
    QByteArray bytes;
    QString units;  // "%u" units in a row, so that a surrogate pair gives one character
    const auto flushUnits = [&] {
        bytes += units.toUtf8();
        units.clear();
    };
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'%') {
            const bool unit = i + 1 < text.size() && (text[i + 1] == u'u' || text[i + 1] == u'U');
            const int value = unit ? hexValue(text, i + 2, 4) : hexValue(text, i + 1, 2);
            if (value >= 0 && unit) {
                units += QChar(static_cast<char16_t>(value));
                i += 6;
                continue;
            }
            if (value >= 0) {
                flushUnits();
                bytes += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        // Characters outside ASCII keep their meaning (their UTF-8 bytes).
        flushUnits();
        bytes += QString(text[i]).toUtf8();
        ++i;
    }
    flushUnits();
    return QString::fromUtf8(bytes);
}

void ApplyWebCommand(const QString& value, TWebCmd& cmd) {
    const QString cmdText = ReadTagValue(value, u"cmd"_s).replace(u"##"_s, u" "_s);
    const int code = TextToIntDef0(ReadTagValue(value, u"code"_s));
    if (code <= 0 || code >= 512) return;
    cmd.Code = static_cast<quint8>(code & 0xFF);
    cmd.Cmd = cmdText;
    if (ReadTagValue(value, u"bs"_s) == u"chrome"_s || IsUrlEncoded(cmd.Cmd))
        cmd.Cmd = UrlDecodeUtf8(cmdText);
}

SwitchResult ApplySwitches(const QStringList& tokens, TClientConfigX& config, TWebCmd& cmd) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString& token = tokens[i];
        if (token == u"-r"_s) return SwitchResult::Register;
        if (i + 1 >= tokens.size()) continue;
        const QString& value = tokens[i + 1];
        if (token == u"-l"_s)
            applyLanguage(value, config);
        else if (token == u"-s"_s)
            applyServer(value, config);
        else if (token == u"-u"_s)
            applyIdentity(value, config);
        else if (token == u"-p"_s)
            ApplyWebCommand(value, cmd);
    }
    return SwitchResult::Continue;
}

bool SetPerMonitorDpiAware(bool /*apply*/) {
    return true;
}

void RegisterUrlProtocol(const QString& programPath) {
    // Failures are not reported: a start with "-r" ends either way. The control registers
    // the scheme through the same routine.
    RegisterClientUrlScheme(programPath);
}

platform::WindowHandle FindRunningInstance(bool lockHeldElsewhere) {
    const int waitMs = lockHeldElsewhere ? kStartingInstanceWaitMs : 0;
    for (int waited = 0;; waited += 100) {
        platform::WindowHandle found;
        for (const QString& windowClass : {kMainWindowClass, kBatchWindowClass}) {
            if (auto window = platform::findWindow(windowClass)) found = window;
        }
        if (found || waited >= waitMs) return found;
        QThread::msleep(100);
    }
}

void HandOver(const platform::WindowHandle& window) {
    platform::postMessage(window, WM_TRAY, 0, kTrayLeftButtonDown);
    QThread::msleep(100);
    platform::postMessage(window, UM_BRING_TO_FRONT, 0, 0);
}

}  // namespace ov

#include "core/smtpparams.h"

#include "core/checks.h"
#include "core/cipher.h"
#include "core/split.h"
#include "core/tagtext.h"

#include <QStringList>

namespace ov {

namespace {

// A trimmed decimal number, or the default when the text is not one.
std::int32_t numberOr(const QString& text, std::int32_t fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

}  // namespace

TSmtpParams StrToSmtpParams(const QString& text, bool passwordIsEncrypt) {
    TSmtpParams p;
    p.Host = ReadTagValue(text, QStringLiteral("srv"));
    p.Port = numberOr(ReadTagValue(text, QStringLiteral("port")), 25);
    p.AuthType = std::uint8_t(numberOr(ReadTagValue(text, QStringLiteral("ssl")), 1));
    p.Username = ReadTagValue(text, QStringLiteral("add"));
    p.FromDisplayName = ReadTagValue(text, QStringLiteral("displayname"));
    p.PassWord = ReadTagValue(text, QStringLiteral("pass"));
    if (passwordIsEncrypt) p.PassWord = DecryptString(p.PassWord, 3);
    return p;
}

QString EmailFormat(const QString& addressText) {
    QStringList kept;
    for (const QString& item : SplitToStrArray(addressText, u';')) {
        const qsizetype open = item.lastIndexOf(u'<');
        const qsizetype close = item.lastIndexOf(u'>');
        if (open < 0 || close < open) continue;
        const QString address = item.mid(open + 1, close - open - 1);
        if (IsValidEmail(address)) kept.append(address);
    }
    return kept.join(u';');
}

}  // namespace ov

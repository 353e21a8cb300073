// The settings of TClientConfigX that carry a cache or a cipher: the user token, the saved
// password and the interface language.
#include "core/cipher.h"
#include "core/clientconfig.h"
#include "core/fileversion.h"
#include "core/macaddress.h"
#include "core/split.h"
#include "core/tagtext.h"

namespace ov {
namespace {

constexpr int kSecretKeyType = 3;  // AES-256

const QString& tokenKey() {
    static const QString k = QStringLiteral("EncryptId");
    return k;
}

// A token deciphered under another adapter list (the adapters changed since it was saved)
// comes out as random bytes: control characters or sequences the code page cannot decode.
// Such a text is no token; "" makes the user log in again instead of sending garbage.
QString plausibleToken(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QChar::ReplacementCharacter)
            return {};
    return text;
}

}  // namespace

QString TClientConfigX::EncryptUserID() const {
    // Filling the cache counts as a write; the whole step runs under the lock so that a
    // concurrent setter cannot be overtaken by a stale deciphered value.
    std::lock_guard lock(m_lock);
    if (FEncryptUserTxt.isEmpty()) {
        const QString stored = ReadTagValue(FConfigStr, tokenKey(), true);
        if (!stored.isEmpty())
            FEncryptUserTxt =
                plausibleToken(DecryptStringByKey(stored, GetMacList(), kSecretKeyType));
    }
    return detached(FEncryptUserTxt);
}

void TClientConfigX::SetEncryptUserID(const QString& value) {
    const QString stored = EncryptStringByKey(value, GetMacList(), kSecretKeyType);
    std::lock_guard lock(m_lock);
    FEncryptUserTxt = value;
    WriteTagValue(tokenKey(), stored, FConfigStr);
}

QString TClientConfigX::LoginPassword() const {
    return DecryptString(ReadString(QStringLiteral("LoginPassword")), kSecretKeyType);
}

void TClientConfigX::SetLoginPassword(const QString& value) {
    WriteString(QStringLiteral("LoginPassword"), EncryptString(value, kSecretKeyType));
}

THS_Language TClientConfigX::SysLanguage() const {
    std::lock_guard lock(m_lock);
    if (FLanguage != HSL_NONE) return FLanguage;
    const int n = TextToIntDef0(ReadTagValue(FConfigStr, QStringLiteral("Language"), true));
    if (n > 0)
        FLanguage = n == 1 ? HSL_ENG : HSL_CN;
    else
        FLanguage = GetSystemLanguageName().contains(QStringLiteral("中文")) ? HSL_CN : HSL_ENG;
    return FLanguage;
}

void TClientConfigX::SetSysLanguage(THS_Language value) {
    // The language of this object stays as it was decided; the next object reads the new one.
    WriteInteger(QStringLiteral("Language"), value);
}

}  // namespace ov

#include "core/cipher.h"

#include <exception>

#include "core/aes.h"

namespace ov {

QString FixedCipherKey() {
    return QStringLiteral("qv7351_mxzt");
}

QString EncryptString(const QString& value, int keyType) {
    return EncryptStringByKey(value, FixedCipherKey(), keyType);
}

QString DecryptString(const QString& value, int keyType) {
    return DecryptStringByKey(value, FixedCipherKey(), keyType);
}

QString EncryptStringByKey(const QString& value, const QString& key, int keyType) {
    return TAES().EncryptString_ASE_EX(value, key, keyType);
}

QString DecryptStringByKey(const QString& value, const QString& key, int keyType) {
    try {
        return TAES().DecryptString_ASE_EX(value, key, keyType);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace ov

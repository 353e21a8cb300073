#pragma once
// The string cipher of the system: AES (ECB) over the text's bytes in the system code page,
// written as upper-case hexadecimal, with the fixed key or with a given one. Key types:
// 1 = AES-128, 2 = AES-192, 3 = AES-256. The routines keep no state; any thread may call them.

#include <QString>

namespace ov {

// The fixed key of the system.
QString FixedCipherKey();

// Enciphers with the fixed key; errors (an unknown key type) pass to the caller.
QString EncryptString(const QString& value, int keyType);
// Deciphers with the fixed key; "" when anything fails. A wrong key gives unreadable text.
QString DecryptString(const QString& value, int keyType);

QString EncryptStringByKey(const QString& value, const QString& key, int keyType);
QString DecryptStringByKey(const QString& value, const QString& key, int keyType);

}  // namespace ov

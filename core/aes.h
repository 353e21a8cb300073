#pragma once
// AES (ECB) over texts, as the system stores and sends small secrets: the plain bytes are
// zero-filled to whole 16-byte blocks, every block is enciphered alone and the result is
// written as upper-case hexadecimal digits. Keys are texts cut or zero-filled to the size of
// the key type. The object keeps no state; any thread may use its own.

#include <QByteArray>
#include <QString>

#include "core/errors.h"

namespace ov {

// Raised for an unknown key type or a deciphering input that is not hexadecimal text.
class EAESError : public Error {
public:
    using Error::Error;
};

// Key types: 1 = AES-128 (16-byte key), 2 = AES-192 (24-byte key), 3 = AES-256 (32-byte key).
class TAES {
public:
    // Value and Key are converted to the system code page. An empty value gives "".
    QString EncryptString_ASE_EX(const QString& value, const QString& key, int keyType) const;
    // The inverse: trailing zero bytes of the deciphered bytes are removed (plain-text zeros at
    // the end included). Hexadecimal digits of either letter case are accepted; an odd last
    // digit and bytes after the last whole block are ignored.
    QString DecryptString_ASE_EX(const QString& value, const QString& key, int keyType) const;

    // The same on byte strings: plain bytes in, hexadecimal text (ASCII) out, and back.
    QByteArray EncryptAnsiString_ASE_EX(const QByteArray& value, const QByteArray& key,
                                        int keyType) const;
    QByteArray DecryptAnsiString_ASE_EX(const QByteArray& value, const QByteArray& key,
                                        int keyType) const;

    // The key of a key type: the key bytes cut at, or zero-filled to, 16, 24 or 32 bytes.
    static QByteArray PrepareKey(const QByteArray& key, int keyType);
};

}  // namespace ov

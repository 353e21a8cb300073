#include "core/aes.h"

#include <openssl/evp.h>

#include <memory>

#include "platform/codepage.h"

namespace ov {
namespace {

constexpr qsizetype kBlock = 16;

using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

const EVP_CIPHER* cipherFor(int keyType) {
    switch (keyType) {
        case 1:
            return EVP_aes_128_ecb();
        case 2:
            return EVP_aes_192_ecb();
        case 3:
            return EVP_aes_256_ecb();
        default:
            throw EAESError(QStringLiteral("Invalid key type %1").arg(keyType));
    }
}

// Runs ECB without padding over whole blocks (the caller guarantees the length).
QByteArray runEcb(const QByteArray& data, const QByteArray& key, int keyType, bool encrypt) {
    const EVP_CIPHER* cipher = cipherFor(keyType);
    const QByteArray fullKey = TAES::PrepareKey(key, keyType);
    CipherCtx ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(fullKey.constData());
    if (!ctx || EVP_CipherInit_ex(ctx.get(), cipher, nullptr, keyBytes, nullptr, encrypt) != 1)
        throw EAESError(QStringLiteral("AES initialisation failed"));
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    QByteArray out(data.size(), '\0');
    int written = 0;
    if (EVP_CipherUpdate(ctx.get(), reinterpret_cast<unsigned char*>(out.data()), &written,
                         reinterpret_cast<const unsigned char*>(data.constData()),
                         static_cast<int>(data.size())) != 1 ||
        written != data.size())
        throw EAESError(QStringLiteral("AES operation failed"));
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// length div 2 bytes from the digit pairs; a digit that is not hexadecimal raises.
QByteArray hexToBytes(const QByteArray& hex) {
    QByteArray out(hex.size() / 2, '\0');
    for (qsizetype i = 0; i < out.size(); ++i) {
        const int hi = hexDigit(hex[2 * i]);
        const int lo = hexDigit(hex[2 * i + 1]);
        if (hi < 0 || lo < 0) throw EAESError(QStringLiteral("Invalid hexadecimal text"));
        out[i] = static_cast<char>(hi * 16 + lo);
    }
    return out;
}

// Hexadecimal text as bytes; a character outside Latin-1 can never be a digit.
QByteArray hexTextToAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x7F) throw EAESError(QStringLiteral("Invalid hexadecimal text"));
    return text.toLatin1();
}

}  // namespace

QByteArray TAES::PrepareKey(const QByteArray& key, int keyType) {
    if (keyType < 1 || keyType > 3)
        throw EAESError(QStringLiteral("Invalid key type %1").arg(keyType));
    const qsizetype size = 8 + 8 * keyType;  // 16, 24 or 32
    QByteArray out = key.left(size);
    out.append(size - out.size(), '\0');
    return out;
}

QByteArray TAES::EncryptAnsiString_ASE_EX(const QByteArray& value, const QByteArray& key,
                                          int keyType) const {
    cipherFor(keyType);  // an unknown key type raises even for an empty value
    if (value.isEmpty()) return {};
    QByteArray padded = value;
    const qsizetype rest = padded.size() % kBlock;
    if (rest != 0) padded.append(kBlock - rest, '\0');
    return runEcb(padded, key, keyType, true).toHex().toUpper();
}

QByteArray TAES::DecryptAnsiString_ASE_EX(const QByteArray& value, const QByteArray& key,
                                          int keyType) const {
    cipherFor(keyType);
    QByteArray bytes = hexToBytes(value);
    bytes.truncate(bytes.size() - bytes.size() % kBlock);  // only whole blocks are deciphered
    if (bytes.isEmpty()) return {};
    QByteArray plain = runEcb(bytes, key, keyType, false);
    qsizetype end = plain.size();
    while (end > 0 && plain[end - 1] == '\0')
        --end;
    plain.truncate(end);
    return plain;
}

QString TAES::EncryptString_ASE_EX(const QString& value, const QString& key, int keyType) const {
    const QByteArray hex = EncryptAnsiString_ASE_EX(platform::toSystemCodePage(value),
                                                    platform::toSystemCodePage(key), keyType);
    return QString::fromLatin1(hex);
}

QString TAES::DecryptString_ASE_EX(const QString& value, const QString& key, int keyType) const {
    const QByteArray plain =
        DecryptAnsiString_ASE_EX(hexTextToAscii(value), platform::toSystemCodePage(key), keyType);
    return platform::fromSystemCodePage(plain);
}

}  // namespace ov

#include "core/certpins.h"

#include "platform/atomicfile.h"
#include "platform/regularfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <map>

namespace ov {

namespace {

// The pin file is small; anything much larger is not ours and is not read.
constexpr qint64 MaxPinFileSize = 1024 * 1024;

QMutex& pinMutex() {
    static QMutex mutex;
    return mutex;
}

QMutex& caMutex() {
    static QMutex mutex;
    return mutex;
}

QString& caFileSetting() {
    static QString file;
    return file;
}

// "host:port", host lower-cased, an IPv6 address in brackets.
QByteArray pinKey(const QString& host, quint16 port) {
    const QString name = host.trimmed().toLower();
    const QString shown =
        name.contains(u':') && !name.startsWith(u'[') ? QStringLiteral("[%1]").arg(name) : name;
    return QStringLiteral("%1:%2").arg(shown).arg(port).toUtf8();
}

// Marks a server whose certificate the trust store vouched for: an unknown certificate for it
// later is refused instead of being pinned.
const QByteArray TrustedMark = QByteArrayLiteral("trusted");

// Key -> SHA-256 in lower-case hex, or the mark of a server the trust store vouched for.
using Pins = std::map<QByteArray, QByteArray>;

// Each line: key, one blank, fingerprint in hex. Lines that do not parse are dropped.
Pins readPins(const QString& fileName) {
    Pins pins;
    const platform::FileRead read = platform::readRegularFile(fileName, MaxPinFileSize);
    if (read.status != platform::FileReadStatus::Ok || read.size > MaxPinFileSize) return pins;
    const QList<QByteArray> lines = read.bytes.split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype blank = line.lastIndexOf(' ');
        if (blank <= 0) continue;
        const QByteArray value = line.mid(blank + 1).trimmed().toLower();
        if (value.size() == 64 || value == TrustedMark) pins[line.left(blank)] = value;
    }
    return pins;
}

QByteArray writePins(const Pins& pins) {
    QByteArray text;
    for (const auto& [key, hex] : pins)
        text += key + ' ' + hex + '\n';
    return text;
}

// What a stored entry says about a certificate the trust store does not vouch for.
PinCheck compare(const QByteArray& stored, const QByteArray& hex) {
    return stored == hex ? PinCheck::PinMatches : PinCheck::Changed;
}

// Stores `value` for the server under the lock file. An untrusted first-seen fingerprint is
// not stored when another process stored an entry meanwhile: that one is compared against.
PinCheck store(const QString& fileName, const QByteArray& key, const QByteArray& value) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QLockFile lock(fileName + QStringLiteral(".lock"));
    if (!lock.tryLock(5000)) return PinCheck::StoreFailed;
    Pins pins = readPins(fileName);
    const auto found = pins.find(key);
    if (value != TrustedMark && found != pins.end()) return compare(found->second, value);
    pins[key] = value;
    return platform::writeFileAtomically(fileName, writePins(pins)) ? PinCheck::PinnedNow
                                                                    : PinCheck::StoreFailed;
}

}  // namespace

PinCheck checkServerCertificate(const QString& host, quint16 port, const QByteArray& derSha256,
                                bool systemTrusted) {
    const QByteArray key = pinKey(host, port);
    const QByteArray hex = derSha256.toHex();
    const QString fileName = certificatePinFile();
    QMutexLocker locker(&pinMutex());
    const Pins pins = readPins(fileName);
    const auto found = pins.find(key);
    if (systemTrusted) {
        // Failing to note it does not make the certificate less trusted.
        if (found == pins.end() || found->second != TrustedMark) store(fileName, key, TrustedMark);
        return PinCheck::SystemTrusted;
    }
    if (found != pins.end()) return compare(found->second, hex);
    return store(fileName, key, hex);
}

QByteArray certificateSha256(const QByteArray& der) {
    return QCryptographicHash::hash(der, QCryptographicHash::Sha256);
}

namespace {

// Fills host, port and the pin file into both wordings and picks the language's one (both,
// Chinese first, when no language is chosen yet).
QString pinMessage(THS_Language language, const QString& chinese, const QString& english,
                   const QString& host, quint16 port) {
    const QString file = certificatePinFile();
    const QString cn = chinese.arg(host).arg(port).arg(file);
    const QString en = english.arg(host).arg(port).arg(file);
    if (language == HSL_CN) return cn;
    if (language == HSL_ENG) return en;
    return cn + u'\n' + en;
}

}  // namespace

QString certificateChangedMessage(THS_Language language, const QString& host, quint16 port) {
    return pinMessage(
        language,
        QStringLiteral(
            "服务器 %1:%2 的证书与首次连接时记录的证书不同，连接已被拒绝，以防通信被他人截取。"
            "如果服务器的证书确实已经更换，请从文件 %3 中删除该服务器的记录后重新连接。"),
        QStringLiteral(
            "The certificate of server %1:%2 differs from the one recorded at the first "
            "connection. The connection was refused because someone may be intercepting it. "
            "If the server's certificate was really replaced, remove the server's line from the "
            "file %3 and connect again."),
        host, port);
}

QString certificateStoreFailedMessage(THS_Language language, const QString& host, quint16 port) {
    return pinMessage(language,
                      QStringLiteral("无法保存服务器 %1:%2 的证书记录（文件 %3），连接已被拒绝。"),
                      QStringLiteral("The certificate of server %1:%2 could not be recorded in "
                                     "the file %3; the connection was refused."),
                      host, port);
}

QString certificatePinFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Ov/certpins");
}

void setTrustedCaFile(const QString& pemFile) {
    QMutexLocker locker(&caMutex());
    caFileSetting() = pemFile;
}

QString trustedCaFile() {
    QMutexLocker locker(&caMutex());
    return caFileSetting();
}

}  // namespace ov

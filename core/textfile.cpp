#include "core/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

#include "core/errors.h"
#include "platform/atomicfile.h"
#include "platform/codepage.h"
#include "platform/regularfile.h"

namespace ov {

namespace {

constexpr qint64 kReadChunk = qint64{1} << 20;
// How long a sequential device may stay silent before its text is taken as complete.
constexpr int kSequentialWaitMs = 30000;

FileError openError(const QString& fileName, const QString& reason) {
    return FileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
}

FileError readError(const QIODevice& stream) {
    return FileError(QStringLiteral("Read error. %1").arg(stream.errorString()));
}

// Reads up to `count` bytes into one buffer. Sequential devices grow it in chunks so that a
// short stream does not reserve the whole limit.
QByteArray readUpTo(QIODevice& stream, qint64 count) {
    QByteArray buffer;
    qint64 filled = 0;
    while (filled < count) {
        const qint64 want =
            stream.isSequential() ? std::min(kReadChunk, count - filled) : count - filled;
        buffer.resize(filled + want);
        const qint64 got = stream.read(buffer.data() + filled, want);
        if (got < 0) throw readError(stream);
        filled += got;
        if (got == 0 && (!stream.isSequential() || !stream.waitForReadyRead(kSequentialWaitMs)))
            break;
    }
    buffer.resize(filled);
    return buffer;
}

// Count 0 means the rest of the device; a random-access device never gives more than it holds.
qint64 bytesToRead(QIODevice& stream, qint64 count) {
    const qint64 rest = stream.isSequential() ? kMaxTextFileSize : stream.size() - stream.pos();
    if (count <= 0 || count > rest) count = rest;
    return std::clamp<qint64>(count, 0, kMaxTextFileSize);
}

QString fromUtf16Le(const char* data, qsizetype byteCount) {
    QString text(byteCount / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(data, text.size(), text.data());
    return text;
}

QString decodeText(const QByteArray& bytes, bool sniffUtf8) {
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 5) return platform::fromSystemCodePage(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(data + 3, size - 3);
    if (bytes.startsWith("\xFF\xFE")) return fromUtf16Le(data + 2, size - 2);
    if (sniffUtf8 && IsUTF8Text(data, size)) return QString::fromUtf8(bytes);
    return platform::fromSystemCodePage(bytes);
}

// The text in UTF-16LE after the given prefix, built in one buffer.
QByteArray toUtf16Le(const QString& text, QByteArrayView prefix = {}) {
    QByteArray bytes(prefix.size() + text.size() * 2, Qt::Uninitialized);
    std::copy(prefix.begin(), prefix.end(), bytes.begin());
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data() + prefix.size());
    return bytes;
}

void writeOrThrow(const QString& fileName, const QByteArray& content) {
    QString reason;
    if (!platform::writeFileAtomically(fileName, content, &reason))
        throw FileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
}

bool isContinuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

}  // namespace

QString LoadTextFile(const QString& fileName) {
    using platform::FileReadStatus;
    const platform::FileRead read = platform::readRegularFile(fileName, kMaxTextFileSize);
    switch (read.status) {
        case FileReadStatus::Ok:
            return decodeText(read.bytes, false);
        case FileReadStatus::Missing:
        case FileReadStatus::Folder:
            return {};
        case FileReadStatus::NotRegular:
        case FileReadStatus::Failed:
            break;
    }
    throw openError(fileName, read.error);
}

QString ReadTextFile(const QString& fileName) {
    return LoadTextFile(fileName);
}

QString LoadTextFromStream(QIODevice& stream, bool sniffUtf8, qint64 count) {
    return decodeText(readUpTo(stream, bytesToRead(stream, count)), sniffUtf8);
}

bool IsUTF8Text(const char* data, qint64 length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    qint64 i = 0;
    while (i < length) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead < 0xC0 || lead >= 0xF0) return false;
        const int trail = lead < 0xE0 ? 1 : 2;
        for (int k = 1; k <= trail; ++k) {
            if (i + k >= length) return true;  // cut off by the end of the data
            if (!isContinuation(bytes[i + k])) return false;
        }
        i += trail + 1;
    }
    return true;
}

bool IsUTF8Text(const QByteArray& data) {
    return IsUTF8Text(data.constData(), data.size());
}

void SaveUnicodeText(const QString& fileName, const QString& text) {
    if (text.isEmpty()) return;
    writeOrThrow(fileName, toUtf16Le(text, QByteArrayView("\xFF\xFE", 2)));
}

void SaveAnsiText(const QString& fileName, const QByteArray& text) {
    if (text.isEmpty()) return;
    writeOrThrow(fileName, text);
}

void AppendUnicodeText(const QString& fileName, const QString& text) {
    if (text.isEmpty()) return;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly)) return;
    file.write(toUtf16Le(text));
}

void AppendOrSaveUnicodeText(const QString& fileName, const QString& text) {
    const qsizetype slash = fileName.lastIndexOf(u'/');
    if (slash < 0 || !QFileInfo(fileName.left(slash + 1)).isDir()) return;
    if (QFileInfo::exists(fileName))
        AppendUnicodeText(fileName, text);
    else
        SaveUnicodeText(fileName, text);
}

}  // namespace ov

#include "testing/docserver/codec/filewire.h"

#include "testing/docserver/codec/bytes.h"
#include "testing/docserver/codec/codes.h"

#include <QIODevice>
#include <QStringDecoder>
#include <stdexcept>

namespace ov::test::wire {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

QByteArray encodeParam(const QString& text) {
    return "%_" + text.toUtf8().toHex().toUpper() + "_%";
}

QString decodeParam(const QByteArray& line) {
    if (line.size() < 4 || !line.startsWith("%_") || !line.endsWith("_%") || line.size() % 2 != 0)
        throw std::runtime_error("not a parameter line");
    QByteArray bytes;
    bytes.reserve((line.size() - 4) / 2);
    for (qsizetype i = 2; i + 2 < line.size(); i += 2) {
        const int high = hexValue(line[i]);
        const int low = hexValue(line[i + 1]);
        if (high < 0 || low < 0) throw std::runtime_error("bad hexadecimal in a parameter line");
        bytes.append(char(high * 16 + low));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

std::int64_t resumeOffer(std::int64_t size) {
    return size / ResumeStep * ResumeStep;
}

std::int64_t tailCheck(QIODevice& device, std::int64_t offset) {
    if (offset < TailCheckBytes) return 0;
    char bytes[TailCheckBytes];
    if (!device.seek(offset - TailCheckBytes) ||
        device.read(bytes, TailCheckBytes) != TailCheckBytes)
        throw std::runtime_error("cannot read the bytes before the offer");
    return getLE64(bytes);
}

std::int64_t resumeStart(QIODevice& device, std::int64_t offset, std::int64_t check) {
    if (offset < TailCheckBytes || offset > device.size()) return 0;
    return tailCheck(device, offset) == check ? offset : 0;
}

}  // namespace ov::test::wire

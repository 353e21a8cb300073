// The text-file decoding: byte-order marks, the UTF-8 test and the system code page.

#include "fuzzsupport.h"

#include "core/textfile.h"

#include <QBuffer>

using namespace ov;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes = fuzz::Bytes(data, size);
    IsUTF8Text(bytes);
    for (const bool sniff : {false, true}) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        LoadTextFromStream(buffer, sniff, size > 1 ? qint64(data[0] % size) : 0);
    }
    return 0;
}

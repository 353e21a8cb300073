#include "testing/docserver/http/httpimages.h"

#include <QtEndian>
#include <array>

namespace ov::test {

quint32 crc32(const QByteArray& bytes) {
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ quint8(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

namespace {

void appendBE32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLE(QByteArray& out, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk;
    appendBE32(chunk, quint32(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    chunk += typed;
    appendBE32(chunk, crc32(typed));
    return chunk;
}

// The JPEG was encoded once from a drawn page (a framed sheet with three text lines).
const char PageJpegBytes[] =
#include "testing/docserver/http/httppagejpeg.inc"
    ;

}  // namespace

QByteArray makePng(int width, int height, const PixelAt& pixel) {
    QByteArray header;
    appendBE32(header, quint32(width));
    appendBE32(header, quint32(height));
    header +=
        QByteArray("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
    QByteArray rows;
    rows.reserve((width * 3 + 1) * height);
    for (int y = 0; y < height; ++y) {
        rows.append('\0');  // filter type "none"
        for (int x = 0; x < width; ++x) {
            const quint32 rgb = pixel(x, y);
            rows.append(char(rgb >> 16)).append(char(rgb >> 8)).append(char(rgb));
        }
    }
    // qCompress gives a zlib stream behind a four-byte length of its own.
    const QByteArray zlib = qCompress(rows, 9).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlib) +
           pngChunk("IEND", QByteArray());
}

QByteArray makeBmp24(int width, int height, const PixelAt& pixel) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const quint32 imageSize = quint32(stride * height);
    QByteArray bmp("BM");
    appendLE(bmp, 54 + imageSize, 4);
    appendLE(bmp, 0, 4);
    appendLE(bmp, 54, 4);  // offset of the pixels
    appendLE(bmp, 40, 4);  // BITMAPINFOHEADER
    appendLE(bmp, quint32(width), 4);
    appendLE(bmp, quint32(height), 4);
    appendLE(bmp, 1, 2);
    appendLE(bmp, 24, 2);
    appendLE(bmp, 0, 4);  // no compression
    appendLE(bmp, imageSize, 4);
    appendLE(bmp, 2835, 4);  // 72 dots per inch
    appendLE(bmp, 2835, 4);
    appendLE(bmp, 0, 4);
    appendLE(bmp, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            appendLE(bmp, pixel(x, y), 3);  // blue, green, red
        bmp.append(QByteArray(stride - width * 3, '\0'));
    }
    return bmp;
}

QByteArray pageJpeg() {
    return QByteArray(PageJpegBytes, sizeof PageJpegBytes - 1);
}

QByteArray pageJpegAt(int unit, int density) {
    QByteArray jpeg = pageJpeg();
    jpeg[13] = char(unit);
    for (const int at : {14, 16}) {
        jpeg[at] = char((density >> 8) & 0xFF);
        jpeg[at + 1] = char(density & 0xFF);
    }
    return jpeg;
}

}  // namespace ov::test

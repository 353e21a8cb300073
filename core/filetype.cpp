#include "core/filetype.h"

#include <algorithm>
#include <array>

namespace ov {
namespace {

// Removes leading and trailing characters with codes up to blank.
QStringView trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

std::int32_t packedCode(QStringView text) {
    std::uint32_t code = 0;
    for (const QChar ch : text.left(4)) {
        char16_t c = ch.unicode();
        if (c >= u'A' && c <= u'Z') c += 0x20;
        if (c > 32 && c < 8364) code = (code << 8) + (c & 0xFF);
    }
    return static_cast<std::int32_t>(code);
}

// Extensions longer than four characters whose full name is known from their code.
struct LongExt {
    std::int32_t code;
    const char16_t* ext;
};

const std::array<LongExt, 4>& longExts() {
    static const std::array<LongExt, 4> table{{{packedCode(u"sldp"), u"sldprt"},
                                               {packedCode(u"slda"), u"sldasm"},
                                               {packedCode(u"sldd"), u"slddrw"},
                                               {packedCode(u"shtm"), u"shtml"}}};
    return table;
}

template <std::size_t N>
bool inList(std::int32_t code, const std::array<QStringView, N>& exts) {
    return std::any_of(exts.begin(), exts.end(),
                       [code](QStringView ext) { return packedCode(ext) == code; });
}

}  // namespace

std::int32_t FileExtToCode(const QString& ext) {
    return packedCode(trimmed(ext));
}

std::int32_t ExtTextToCode(const QString& text) {
    return packedCode(text);
}

QString CodeToExt(std::int32_t code) {
    for (const LongExt& entry : longExts())
        if (entry.code == code) return QString::fromUtf16(entry.ext);
    QString ext;
    const auto bits = static_cast<std::uint32_t>(code);
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto byte = static_cast<char16_t>((bits >> shift) & 0xFF);
        if (byte >= 0x21 && byte <= 0x7F) ext.append(QChar(byte));
    }
    return ext;
}

bool IsImageExtCode(std::int32_t code) {
    static constexpr std::array<QStringView, 36> kImages{
        u"bw",  u"bmp", u"cel", u"cut", u"dib", u"fax", u"gif",  u"icb",  u"jpg",
        u"nef", u"pal", u"pbm", u"pcc", u"pcd", u"pcx", u"pdd",  u"pgm",  u"pic",
        u"png", u"ppm", u"psd", u"psp", u"ral", u"rgb", u"rle",  u"rpf",  u"sgi",
        u"src", u"tga", u"tif", u"vda", u"vst", u"win", u"jpeg", u"rgba", u"tiff"};
    return inList(code, kImages);
}

bool IsCadExtCode(std::int32_t code) {
    static constexpr std::array<QStringView, 11> kCad{
        u"asm", u"dwg", u"dxf", u"pcl", u"plt", u"prn", u"prt", u"easm", u"slda", u"sldd", u"sldp"};
    return inList(code, kCad);
}

}  // namespace ov

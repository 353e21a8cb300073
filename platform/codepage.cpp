#include "platform/codepage.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "platform/registry.h"

namespace ov::platform {
namespace {

std::atomic<int> g_override{0};

int codePageFromRegistry() {
    const auto acp = Registry::readString(
        Hive::LocalMachine, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage"),
        QStringLiteral("ACP"));
    bool ok = false;
    const int value = acp ? acp->trimmed().toInt(&ok) : 0;
    return ok && value > 0 ? value : 936;
}

// iconv's name for a Windows code page number.
QByteArray iconvName(int codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 950:
            return "BIG5";
        case 932:
            return "SHIFT_JIS";
        case 949:
            return "CP949";
        case 65001:
            return "UTF-8";
        case 20127:
            return "ASCII";
        case 28591:
            return "ISO-8859-1";
        default:
            return "CP" + QByteArray::number(codePage);
    }
}

// Runs iconv over the whole input. On an input sequence the target cannot take, `onBad` is
// written to the output and `skip` input bytes are passed over.
QByteArray convert(const QByteArray& from, const QByteArray& to, const char* data, size_t size,
                   const QByteArray& onBad, size_t skip) {
    iconv_t cd = iconv_open(to.constData(), from.constData());
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    QByteArray out;
    out.reserve(static_cast<qsizetype>(size * 2 + 16));
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut off at the end): replace and go on.
        out.append(onBad);
        const size_t n = std::min(skip, inLeft);
        in += n;
        inLeft -= n;
    }
    iconv_close(cd);
    return out;
}

}  // namespace

int systemCodePage() {
    const int forced = g_override.load(std::memory_order_relaxed);
    if (forced > 0) return forced;
    // The registry is read once per process; the value does not change while we run.
    static const int fromRegistry = codePageFromRegistry();
    return fromRegistry;
}

void setSystemCodePageOverride(int codePage) {
    g_override.store(codePage);
}

QByteArray toSystemCodePage(const QString& text) {
    if (text.isEmpty()) return {};
    // Work on UTF-16LE code units so a character the code page cannot hold is skipped as one unit
    // (a surrogate pair gives one "?" per unit, as the Windows conversion does).
    const auto* units = reinterpret_cast<const char*>(text.utf16());
    return convert("UTF-16LE", iconvName(systemCodePage()), units,
                   static_cast<size_t>(text.size()) * 2, QByteArrayLiteral("?"), 2);
}

QString fromSystemCodePage(const char* data, qsizetype size) {
    if (size <= 0) return {};
    const QByteArray replacement("\xFD\xFF", 2);  // U+FFFD in UTF-16LE
    const QByteArray utf16 = convert(iconvName(systemCodePage()), "UTF-16LE", data,
                                     static_cast<size_t>(size), replacement, 1);
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QString fromSystemCodePage(const QByteArray& bytes) {
    return fromSystemCodePage(bytes.constData(), bytes.size());
}

}  // namespace ov::platform

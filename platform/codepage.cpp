#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "platform/registry.h"

namespace ov::platform {
namespace {

std::atomic<int> g_override{0};

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

bool iconvKnows(int codePage) {
    const iconv_t cd = iconv_open(iconvName(codePage).constData(), "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

// A code page that the conversion does not know would turn every text into nothing (empty
// hashes, keys and files), so such a value counts as missing.
int codePageFromRegistry() {
    const auto acp = Registry::readString(
        Hive::LocalMachine, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage"),
        QStringLiteral("ACP"));
    bool ok = false;
    const int value = acp ? acp->trimmed().toInt(&ok) : 0;
    return ok && value > 0 && iconvKnows(value) ? value : 936;
}

// The bytes of a QByteArray or a QString, which iconv fills in place.
template <typename Buffer>
char* bytesOf(Buffer& buffer) {
    return reinterpret_cast<char*>(buffer.data());
}

// Makes room for at least `room` more bytes after the first `used` bytes of the buffer.
template <typename Buffer>
void reserveBytes(Buffer& buffer, size_t used, size_t room) {
    constexpr size_t unit = sizeof(typename Buffer::value_type);
    const size_t have = static_cast<size_t>(buffer.size()) * unit;
    if (have - used < room) buffer.resize(static_cast<qsizetype>((have + room) * 2 / unit + 8));
}

// One iconv call from `in` (nullptr: write what a stateful encoding still holds back) into the
// free room of the buffer, which grows when needed. Returns iconv's result.
template <typename Buffer>
size_t convertStep(iconv_t cd, char** in, size_t* inLeft, Buffer& out, size_t& used) {
    reserveBytes(out, used, 16);
    char* outPtr = bytesOf(out) + used;
    size_t outLeft = static_cast<size_t>(out.size()) * sizeof(typename Buffer::value_type) - used;
    const size_t rc = iconv(cd, in, inLeft, &outPtr, &outLeft);
    used = static_cast<size_t>(outPtr - bytesOf(out));
    return rc;
}

// Runs iconv over the whole input straight into a buffer of the result's type, so a big text
// is not copied once more after the conversion. `units` is the expected size of the result.
// On an input sequence the target cannot take, `onBad` is written and `skip` input bytes are
// passed over.
template <typename Buffer>
Buffer convert(const QByteArray& from, const QByteArray& to, const char* data, size_t size,
               QByteArrayView onBad, size_t skip, qsizetype units) {
    constexpr size_t kFailed = static_cast<size_t>(-1);
    iconv_t cd = iconv_open(to.constData(), from.constData());
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    Buffer out(units + 8, Qt::Uninitialized);
    size_t used = 0;
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    while (inLeft > 0) {
        if (convertStep(cd, &in, &inLeft, out, used) != kFailed || errno == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut off at the end): replace and go on.
        reserveBytes(out, used, static_cast<size_t>(onBad.size()));
        std::copy(onBad.begin(), onBad.end(), bytesOf(out) + used);
        used += static_cast<size_t>(onBad.size());
        const size_t n = std::min(skip, inLeft);
        in += n;
        inLeft -= n;
    }
    while (convertStep(cd, nullptr, nullptr, out, used) == kFailed && errno == E2BIG) {
    }
    iconv_close(cd);
    out.resize(static_cast<qsizetype>(used / sizeof(typename Buffer::value_type)));
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
    return convert<QByteArray>("UTF-16LE", iconvName(systemCodePage()), units,
                               static_cast<size_t>(text.size()) * 2, "?", 2, text.size() * 2);
}

QString fromSystemCodePage(const char* data, qsizetype size) {
    if (size <= 0) return {};
    // No code page gives more UTF-16 units than it had bytes, so the result fits the first
    // buffer.
    const QByteArrayView replacement("\xFD\xFF", 2);  // U+FFFD in UTF-16LE
    return convert<QString>(iconvName(systemCodePage()), "UTF-16LE", data,
                            static_cast<size_t>(size), replacement, 1, size);
}

QString fromSystemCodePage(const QByteArray& bytes) {
    return fromSystemCodePage(bytes.constData(), bytes.size());
}

}  // namespace ov::platform

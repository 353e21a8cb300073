#include "platform/sysinfo.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <dlfcn.h>
#include <link.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace ov::platform {
namespace {

constexpr qsizetype kMaxLanguageName = 50;
constexpr qint64 kMaxVersionScan = 256 * 1024 * 1024;
constexpr qint64 kScanChunk = 1024 * 1024;

// The version of this build, as a marker that fileVersion() finds in the binary's bytes. It is
// kept by compiler and linker even though only its prefix is read at run time.
[[gnu::used]] constexpr char kVersionMarker[] = "\0OVFILEVERSION:" OV_FILE_VERSION "\0";
constexpr qsizetype kPrefixSize = 15;  // "\0OVFILEVERSION:"
// Room after the prefix for "65535.65535.65535.65535" and the closing NUL.
constexpr qsizetype kMarkerMax = kPrefixSize + 24;

QByteArrayView markerPrefix() {
    return QByteArrayView(kVersionMarker, kPrefixSize);
}

// Four numbers 0..65535 separated by "." and ended by NUL, at the start of `text`.
std::optional<std::array<int, 4>> parseVersion(QByteArrayView text) {
    const qsizetype end = text.indexOf('\0');
    if (end <= 0) return std::nullopt;
    const QList<QByteArray> parts = text.first(end).toByteArray().split('.');
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> version{};
    for (size_t i = 0; i < version.size(); ++i) {
        const QByteArray& part = parts[static_cast<qsizetype>(i)];
        const bool digitsOnly =
            !part.isEmpty() && part.size() <= 5 &&
            std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
        const uint number = digitsOnly ? part.toUInt() : 0x10000;
        if (number > 0xFFFF) return std::nullopt;
        version[i] = static_cast<int>(number);
    }
    return version;
}

// The first marker with a valid version in `data`; `complete` tells whether a marker that
// starts near the end can still be judged (at the end of the file) or must wait for more bytes.
std::optional<std::array<int, 4>> findVersion(QByteArrayView data, qsizetype& consumed,
                                              bool complete) {
    qsizetype from = 0;
    consumed = data.size();
    while (true) {
        const qsizetype at = data.indexOf(markerPrefix(), from);
        if (at < 0) break;
        const QByteArrayView rest = data.sliced(at + kPrefixSize);
        if (!complete && rest.size() < kMarkerMax - kPrefixSize) {
            consumed = at;  // judge it once the next chunk is there
            return std::nullopt;
        }
        if (auto version =
                parseVersion(rest.first(std::min(rest.size(), kMarkerMax - kPrefixSize))))
            return version;
        from = at + 1;
    }
    if (!complete) consumed = std::max<qsizetype>(0, data.size() - kPrefixSize + 1);
    return std::nullopt;
}

QString folderOf(const QString& file) {
    return QFileInfo(file).canonicalPath() + QLatin1Char('/');
}

}  // namespace

QString languageName(const QLocale& locale) {
    if (locale.language() == QLocale::C) return QStringLiteral("English");
    return locale.nativeLanguageName().left(kMaxLanguageName);
}

QString systemLanguageName() {
    return languageName(QLocale::system());
}

QString modulePath() {
    Dl_info info{};
    link_map* map = nullptr;
    const auto self = reinterpret_cast<void*>(&modulePath);
    if (dladdr1(self, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || !map)
        return {};
    // The program itself has an empty name in the link map.
    if (!map->l_name || map->l_name[0] == '\0')
        return folderOf(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    return folderOf(QFile::decodeName(map->l_name));
}

std::optional<std::array<int, 4>> fileVersion(const QString& fileName) {
    if (fileName.isEmpty())
        return parseVersion(
            QByteArrayView(kVersionMarker, sizeof kVersionMarker).sliced(kPrefixSize));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // Scan in chunks, carrying over the bytes where a marker may begin.
    QByteArray window;
    qint64 scanned = 0;
    while (scanned < kMaxVersionScan) {
        const QByteArray chunk = file.read(std::min(kScanChunk, kMaxVersionScan - scanned));
        scanned += chunk.size();
        window.append(chunk);
        const bool complete = chunk.isEmpty() || scanned >= kMaxVersionScan;
        qsizetype consumed = 0;
        if (auto version = findVersion(window, consumed, complete)) return version;
        if (complete) break;
        window.remove(0, consumed);
    }
    return std::nullopt;
}

bool is32BitProcessOn64BitSystem() {
    if constexpr (sizeof(void*) >= 8) {
        return false;
    } else {
        struct utsname name {};
        if (uname(&name) != 0) return false;
        const QByteArray machine(name.machine);
        return machine.contains("64");
    }
}

QString currentUserName() {
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(suggested > 0 ? suggested : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return QString::fromLocal8Bit(found->pw_name);
}

}  // namespace ov::platform

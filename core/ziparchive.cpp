#include "core/ziparchive.h"

#include "core/errors.h"
#include "platform/codepage.h"

#include <unzip.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <vector>

namespace ov {

namespace {

constexpr uLong MaxEntryName = 4096;
constexpr qsizetype ChunkSize = 64 * 1024;

[[noreturn]] void fail(const QString& message) {
    throw FileError(message);
}

QString folderText(const QString& dir) {
    QString d = QDir::fromNativeSeparators(dir);
    if (!d.endsWith(u'/')) d.append(u'/');
    return d;
}

// The entry's name as text: UTF-8 when the archive says so, else the system code page (what
// archivers on Windows write).
QString entryName(const QByteArray& raw, uLong flags) {
    constexpr uLong Utf8Flag = 1u << 11;
    return (flags & Utf8Flag) ? QString::fromUtf8(raw) : platform::fromSystemCodePage(raw);
}

// The relative path an entry may be written to, "/"-separated; empty when the name is unsafe.
QString safeRelativePath(const QString& name) {
    const QString path = QString(name).replace(u'\\', u'/');
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(QChar(0))) return {};
    const QStringList parts = path.split(u'/');
    if (parts.first().contains(u':')) return {};
    for (const QString& part : parts) {
        if (part == u"..") return {};
    }
    return path;
}

struct Entry {
    QString relative;
    bool isFolder = false;
    unz64_file_pos position{};
};

class Archive {
public:
    explicit Archive(const QString& file) : m_file(file) {
        m_zip = unzOpen64(QFile::encodeName(file).constData());
        if (!m_zip) fail(QStringLiteral("Cannot open the archive %1").arg(file));
    }
    ~Archive() { unzClose(m_zip); }
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Every entry in archive order; raises when one of them is unsafe.
    std::vector<Entry> entries() {
        std::vector<Entry> list;
        for (int r = unzGoToFirstFile(m_zip); r == UNZ_OK; r = unzGoToNextFile(m_zip))
            list.push_back(current());
        return list;
    }

    // Writes the entry to a new file; counts bytes into `total`.
    void extract(const Entry& entry, const QString& target, qint64& total, qint64 maxBytes) {
        unz64_file_pos position = entry.position;
        if (unzGoToFilePos64(m_zip, &position) != UNZ_OK) fail(damaged());
        if (unzOpenCurrentFile(m_zip) != UNZ_OK) fail(damaged());
        auto closeEntry = qScopeGuard([this] { unzCloseCurrentFile(m_zip); });
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            fail(QStringLiteral("Cannot create the file %1").arg(target));
        copyCurrent(out, total, maxBytes);
        if (unzCloseCurrentFile(m_zip) == UNZ_CRCERROR) fail(damaged());
        closeEntry.dismiss();
    }

private:
    Entry current() {
        unz_file_info64 info{};
        char name[MaxEntryName + 1] = {};
        if (unzGetCurrentFileInfo64(m_zip, &info, name, MaxEntryName, nullptr, 0, nullptr, 0) !=
                UNZ_OK ||
            info.size_filename > MaxEntryName)
            fail(damaged());
        const QByteArray raw(name, qsizetype(info.size_filename));
        const QString text = entryName(raw, info.flag);
        const QString relative = safeRelativePath(text);
        if (relative.isEmpty() || raw.contains('\0'))
            fail(QStringLiteral("Unsafe entry name in the archive %1: %2").arg(m_file, text));
        Entry entry{relative, relative.endsWith(u'/')};
        if (unzGetFilePos64(m_zip, &entry.position) != UNZ_OK) fail(damaged());
        return entry;
    }

    void copyCurrent(QFile& out, qint64& total, qint64 maxBytes) {
        std::vector<char> buffer(ChunkSize);
        for (;;) {
            const int n = unzReadCurrentFile(m_zip, buffer.data(), unsigned(buffer.size()));
            if (n < 0) fail(damaged());
            if (n == 0) return;
            total += n;
            if (total > maxBytes) fail(QStringLiteral("The archive %1 is too large").arg(m_file));
            if (out.write(buffer.data(), n) != n)
                fail(QStringLiteral("Cannot write the file %1").arg(out.fileName()));
        }
    }

    QString damaged() const { return QStringLiteral("The archive %1 is damaged").arg(m_file); }

    QString m_file;
    unzFile m_zip = nullptr;
};

bool existsOrIsLink(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

void ExtractZipNoOverwrite(const QString& zipFile, const QString& destDir, qint64 maxBytes) {
    const QString root = folderText(destDir);
    Archive archive(zipFile);
    const std::vector<Entry> entries = archive.entries();
    qint64 total = 0;
    for (const Entry& entry : entries) {
        const QString target = root + entry.relative;
        const QString folder = entry.isFolder ? target : QFileInfo(target).path();
        if (!QDir().mkpath(folder)) fail(QStringLiteral("Cannot create the folder %1").arg(folder));
        if (entry.isFolder || existsOrIsLink(target)) continue;
        archive.extract(entry, target, total, maxBytes);
    }
}

void UnzipResourceFile(const QString& resName, const QString& resType, const QString& destDir) {
    QFile resource(QStringLiteral(":/%1/%2").arg(resType, resName));
    if (!resource.exists()) return;
    const QString root = folderText(destDir);
    const QString temporary = root + QStringLiteral("tmpfilesnx.zip");
    auto removeTemporary = qScopeGuard([&] { QFile::remove(temporary); });
    QFile out(temporary);
    if (!resource.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
        out.write(resource.readAll()) != resource.size() || !out.flush())
        fail(QStringLiteral("Cannot write the file %1").arg(temporary));
    out.close();
    ExtractZipNoOverwrite(temporary, root);
}

}  // namespace ov

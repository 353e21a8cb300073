// The receiving side of the file channel: the resume offer, backups of the local file, the data
// into the file in chunks, the end value, and the final size, time and name of the file.

#include "core/datetime.h"
#include "core/filechanneltransfer.h"
#include "core/paths.h"
#include "core/renamenoreplace.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString SystemText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void BadServerValue(const QString& what) {
    throw NetError(NetError::Kind::Protocol, u"The server named an invalid %1."_s.arg(what));
}

// Cuts the file to the bytes that are really there; quiet on the way out of a failure.
void CutQuietly(QFile& file, qint64 size) noexcept {
    file.resize(size);
}

}  // namespace

QString FileTransfer::WorkName(const QString& fileName) const {
    return ExtractFileExtNoDot(fileName).isEmpty() ? fileName + u".tmp"_s : fileName;
}

void FileTransfer::Backup(const QString& name) {
    const QString backup = BackupFileName(name, QDateTime::currentDateTime());
    if (!RenameNoReplace(name, backup))
        throw LocalFileWriteError(u"Cannot back up %1: %2"_s.arg(name, SystemText()));
    m_backups.append(backup);
}

void FileTransfer::DropBackups() {
    for (const QString& backup : std::as_const(m_backups))
        QFile::remove(backup);
    m_backups.clear();
}

// Writes the offer: nothing held (0, 0), or the held size cut to 16 bytes and its check.
void FileTransfer::OfferResume(const QString& name, bool isReplace, qint64& offer) {
    std::int64_t check = 0;
    offer = 0;
    if (QFileInfo::exists(name) && isReplace) {
        Backup(name);
    } else if (QFileInfo::exists(name)) {
        QFile held(name);
        if (!held.open(QIODevice::ReadOnly)) throw LocalFileOpenError(held.errorString());
        offer = ResumeOffset(held.size());
        check = TailCheckAt(held, offer);
    }
    c.Stream().writeInt64(offer);
    c.Stream().writeInt64(check);
}

// The server may start where it was offered or at 0, nowhere else.
qint64 FileTransfer::ReadStart(qint64 offer) {
    const qint64 start = ReadInt64();
    if (start != 0 && start != offer) BadServerValue(u"offset"_s);
    return start;
}

// Reads `count` bytes into the file; true when the cancel flag stopped it.
bool FileTransfer::ReceiveData(QFile& file, qint64 total, qint64 count, qint64& position) {
    NetStream& net = c.Stream();
    while (count > 0) {
        const qint64 n = std::min(count, FileChunkSize);
        qint64 got = 0;
        try {
            while (got < n)
                got += net.readSome(m_chunk.get() + got, n - got);
        } catch (...) {
            // What did arrive is kept, so that a resume asks only for the rest.
            if (file.write(m_chunk.get(), got) == got) position += got;
            throw;
        }
        if (file.write(m_chunk.get(), n) != n) throw LocalFileWriteError(file.errorString());
        position += n;
        count -= n;
        if (Cancelled()) return true;
        Progress(total, total - count, true);
    }
    return false;
}

// The end value: 0..16 filler bytes (never more than this transfer's data) or the end mark
// mean complete; anything else incomplete.
bool FileTransfer::ReadEnd(qint64 received, qint64& filler) {
    const qint32 end = ReadInt32();
    filler = 0;
    if (end >= 0 && end <= MaxFillerBytes && end <= received) {
        filler = end;
        return true;
    }
    return end == FileOverMark;
}

void FileTransfer::FinishName(const QString& workName, const QString& fileName, bool isReplace) {
    const bool moved = isReplace ? std::rename(QFile::encodeName(workName).constData(),
                                               QFile::encodeName(fileName).constData()) == 0
                                 : RenameNoReplace(workName, fileName);
    if (!moved)
        throw LocalFileWriteError(
            u"Cannot move %1 to %2: %3"_s.arg(workName, fileName, SystemText()));
}

// Created new when the data starts at 0, else opened in place at the start.
void FileTransfer::OpenTarget(QFile& file, qint64 start) {
    const auto mode =
        start == 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite;
    if (!file.open(mode | QIODevice::Unbuffered)) {
        if (start == 0)
            throw FileError(
                u"Cannot create file %1. %2"_s.arg(file.fileName(), file.errorString()));
        throw LocalFileOpenError(file.errorString());
    }
    if (!file.seek(start)) throw LocalFileOpenError(file.errorString());
}

FileTransfer::Outcome FileTransfer::ReceiveFile(const QString& fileName, bool isReplace,
                                                TDateTime serverTime) {
    const QString name = WorkName(fileName);
    const QString folder = ExtractParentPath(name);
    if (!folder.isEmpty()) ForceFolder(folder, true);
    qint64 offer = 0;
    OfferResume(name, isReplace, offer);
    const qint64 start = ReadStart(offer);
    const qint64 count = ReadInt64();
    // The data may take as long as it needs, as long as it keeps moving.
    c.Stream().endRequest();
    if (count < 0 || count > std::numeric_limits<qint64>::max() - start)
        BadServerValue(u"length"_s);
    // The offer was refused: the held file goes to its backup before it is overwritten.
    if (start == 0 && QFileInfo::exists(name)) Backup(name);
    const qint64 total = start + count;
    QFile file(name);
    OpenTarget(file, start);
    qint64 position = start;
    qint64 filler = 0;
    bool complete = false;
    try {
        if (ReceiveData(file, total, count, position)) {
            CutQuietly(file, position);
            return Outcome::Cancelled;
        }
        complete = ReadEnd(count, filler);
    } catch (...) {
        CutQuietly(file, position);
        throw;
    }
    // Exactly what the server sent: no bytes of an older, longer file stay at the end.
    if (!file.resize(total - filler)) throw LocalFileWriteError(file.errorString());
    if (complete) DropBackups();
    if (c.OnTransmitOver) c.OnTransmitOver(&c, total, total);
    file.close();
    if (!complete) return Outcome::Incomplete;
    SetFileModifyTime(name, serverTime);
    if (name != fileName) FinishName(name, fileName, isReplace);
    return Outcome::Complete;
}

}  // namespace ov

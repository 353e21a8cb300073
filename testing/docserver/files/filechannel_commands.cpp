// The commands of the test server's file channel: uploads of new files, versions and streams,
// and downloads by key (with the server time line) or by parameter text (without it).

#include "core/resultcode.h"
#include "testing/docserver/codec/codes.h"
#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/codec/filewire.h"
#include "testing/docserver/codec/stream.h"
#include "testing/docserver/files/editrules.h"
#include "testing/docserver/files/filechannel_impl.h"
#include "testing/docserver/files/uploadfolders.h"

#include <QCryptographicHash>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

// The file name part of a client path ("/" or "\" separated).
QString NamePart(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

// Offers what the part already holds and receives the rest; true when complete.
bool ReceiveResumable(FileSession& x, const QString& partName) {
    qint64 offer = 0;
    std::int64_t check = 0;
    QFile part(partName);
    if (part.open(QIODevice::ReadOnly)) {
        offer = wire::resumeOffer(part.size());
        check = wire::tailCheck(part, offer);
        part.close();
    }
    if (x.next.offer) std::tie(offer, check) = *x.next.offer;
    x.rec.offer = offer;
    x.rec.check = check;
    wire::writeInt64(x.s, offer);
    wire::writeInt64(x.s, check);
    return ReceiveUpload(x, partName, offer);
}

void StoreContent(FileSession& x, const QString& partName, std::int64_t key) {
    const QString path = x.d.root + u"file-"_s + QString::number(key);
    QFile::remove(path);
    QFile::rename(partName, path);
}

qint32 UploadNewStatus(FileSession& x, DocModel& m) {
    if (x.userId == 0) return RC_BadUser;
    const DocFolder* folder = m.folder(x.tag(u"DestFolderId"_s).toLongLong());
    if (!folder || folder->ownerId != x.tag(u"DestOwnerId"_s).toInt()) return RC_NoFolder;
    if (!m.mayAccess(m.users.at(x.userId), folder->ownerId)) return RC_NoPower;
    const QString name = NamePart(x.tag(u"PathAndName"_s));
    const std::int64_t target =
        UploadTargetFolder(m, folder->ownerId, folder->id, x.tag(u"SubFolderName"_s));
    if (target < 0) return RC_NoFolder;
    for (const DocFile* file : m.folderFiles(target))
        if (file->name.compare(name, Qt::CaseInsensitive) == 0) return RC_ErrorText;
    return RC_CanUpload;
}

// A new file goes into the request's folder, or into the sub-folder it names below that one
// (a batch upload of a folder tree), created where missing.
std::int64_t AddUploaded(FileSession& x, DocModel& m) {
    const std::int64_t key = m.files.empty() ? 1 : m.files.rbegin()->first + 1;
    const DocFolder* folder = m.folder(x.tag(u"DestFolderId"_s).toLongLong());
    const std::int64_t target = UploadTargetFolder(m, folder->ownerId, folder->id,
                                                   x.tag(u"SubFolderName"_s));
    m.addFile(key, target, NamePart(x.tag(u"PathAndName"_s)), x.rec.start + x.rec.count,
              wire::int64ToDate(x.tag(u"ModifyDate"_s).toLongLong()))
        .properties = x.tag(u"FielPrt"_s);
    return key;
}

bool IsTrue(const QString& text) {
    return text.compare(u"True"_s, Qt::CaseInsensitive) == 0;
}

// A check-in: the user must hold the file's check-out, and a copy older than the server's (by
// more than 2 seconds) is an old version.
qint32 CheckinStatus(FileSession& x, const DocFile& file) {
    if (file.lockedBy != x.userId) return RC_NotCheckedOut;
    const TDateTime sent = wire::int64ToDate(x.tag(u"ModifyDate"_s).toLongLong());
    return sent < file.modified - 2.0 / 86400 ? RC_OldVersion : RC_CanUpload;
}

bool SameContent(const QString& a, const QString& b) {
    QFile first(a), second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly)) return false;
    if (first.size() != second.size()) return false;
    while (!first.atEnd())
        if (first.read(1 << 16) != second.read(1 << 16)) return false;
    return true;
}

// A whole version has arrived: one taken for audit waits for it (the user's lock or check-out
// ends, the file is in audit from then on); a check-in that changes nothing stores nothing;
// otherwise it becomes the next version and the user's lock or check-out ends. The final
// status.
qint32 StoreVersion(FileSession& x, std::int64_t key, const QString& part, bool checkin,
                    bool audit) {
    const QString current = x.d.contentPath(key);
    DocModel& m = x.d.model;
    std::lock_guard lock(m.mutex);
    DocFile* file = m.file(key);
    if (!file) return RC_NoFile;
    if (audit) {
        TakeForAudit(x, *file);
        QFile::remove(part + u".audit"_s);
        QFile::rename(part, part + u".audit"_s);  // waits for the audit, not the file yet
        return RC_EditAudit;
    }
    if (checkin && SameContent(part, current)) {
        QFile::remove(part);
        return RC_NoChange;
    }
    file->size = x.rec.count;
    file->version += 1;
    file->modified = wire::int64ToDate(x.tag(u"ModifyDate"_s).toLongLong());
    ReleaseEditLock(x, *file);
    StoreContent(x, part, key);
    return RC_CanUpload;
}

// The file the request names, with the status of a download or a version upload.
qint32 FileStatus(FileSession& x, DocModel& m, std::int64_t key, qint32 okStatus) {
    if (x.userId == 0) return RC_BadUser;
    DocFile* file = m.file(key);
    if (!file) return RC_NoFile;
    if (!m.mayAccessFile(m.users.at(x.userId), *file)) return RC_NoPower;
    if (okStatus == RC_CanUpload && file->lockedBy != 0 && file->lockedBy != x.userId)
        return RC_Locked;
    return okStatus;
}

}  // namespace

void ServeUploadNew(FileSession& x) {
    DocModel& m = x.d.model;
    {
        std::lock_guard lock(m.mutex);
        x.rec.status = x.status(UploadNewStatus(x, m));
    }
    wire::writeInt32(x.s, x.rec.status);
    std::int64_t key = 0;
    if (std::uint8_t(x.rec.status) == RC_CanUpload) {
        const QString identity = x.tag(u"DestOwnerId"_s) + u'|' + x.tag(u"DestFolderId"_s) + u'|' +
                                 x.tag(u"PathAndName"_s) + u'|' + x.tag(u"Size"_s) + u'|' +
                                 x.tag(u"ModifyDate"_s);
        const QString part =
            x.d.root + u"part-"_s +
            QString::fromLatin1(
                QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex());
        const bool complete = ReceiveResumable(x, part);
        if (x.rec.end == -1) return;  // cut or stalled
        if (complete) {
            std::lock_guard lock(x.d.model.mutex);
            key = AddUploaded(x, m);
            StoreContent(x, part, key);
        }
    } else if (std::uint8_t(x.rec.status) == RC_ErrorText) {
        const QString line = x.next.errorLine.isEmpty()
                                 ? u"A file of this name exists in the folder."_s
                                 : x.next.errorLine;
        wire::writeLine(x.s, wire::encodeParam(line));
    }
    wire::writeInt64(x.s, key);
}

void ServeUploadVersion(FileSession& x) {
    DocModel& m = x.d.model;
    const std::int64_t key = x.tag(u"Key"_s).toLongLong();
    const bool checkin = IsTrue(x.tag(u"IsCheckin"_s));
    {
        std::lock_guard lock(m.mutex);
        qint32 status = FileStatus(x, m, key, RC_CanUpload);
        if (checkin && status == RC_CanUpload) status = CheckinStatus(x, *m.file(key));
        if (const DocFile* file = m.file(key)) status = VersionUploadStatus(*file, status);
        x.rec.status = x.status(status);
    }
    wire::writeInt32(x.s, x.rec.status);
    const auto status = std::uint8_t(x.rec.status);
    if (status != RC_CanUpload && status != RC_EditAudit) return;
    wire::writeInt64(x.s, 0);
    wire::writeInt64(x.s, 0);
    const QString part = x.d.root + u"version-"_s + QString::number(key);
    ReceiveUpload(x, part, 0);
    if (x.rec.end == -1) return;  // cut or stalled
    if (x.rec.end != wire::FileOverMark) {
        wire::writeInt32(x.s, RC_InvalidData);
        return;
    }
    wire::writeInt32(x.s, StoreVersion(x, key, part, checkin, status == RC_EditAudit));
}

void ServeUploadStream(FileSession& x) {
    DocModel& m = x.d.model;
    const std::int64_t key = x.tag(u"Key"_s).toLongLong();
    {
        std::lock_guard lock(m.mutex);
        x.rec.status = x.status(FileStatus(x, m, key, RC_CanUpload));
    }
    wire::writeInt32(x.s, x.rec.status);
    if (std::uint8_t(x.rec.status) != RC_CanUpload) return;
    const QString part = x.d.root + u"stream-"_s + QString::number(key) + u'.' + x.tag(u"Ext"_s);
    ReceiveResumable(x, part);
    if (x.rec.end == -1) return;  // cut or stalled
    if (x.rec.end != wire::FileOverMark) {
        wire::writeInt32(x.s, RC_InvalidData);
        return;
    }
    {
        std::lock_guard lock(m.mutex);
        if (DocFile* file = m.file(key)) file->size = x.rec.start + x.rec.count;
    }
    StoreContent(x, part, key);
    wire::writeInt32(x.s, RC_Ok);
}

void ServeDownload(FileSession& x, bool withTime) {
    DocModel& m = x.d.model;
    const std::int64_t key = x.tag(u"FileKey"_s).toLongLong();
    TDateTime modified = 0;
    {
        std::lock_guard lock(m.mutex);
        qint32 status = FileStatus(x, m, key, RC_CanDownload);
        // A check-out's download is for the one who holds the check-out.
        if (status == RC_CanDownload && IsTrue(x.tag(u"IsCheckout"_s)) &&
            m.file(key)->lockedBy != x.userId)
            status = RC_NotCheckedOut;
        if (DocFile* file = m.file(key)) {
            modified = file->modified;
            if (withTime) status = LockForEdit(x, *file, status);
        }
        x.rec.status = x.status(status);
    }
    wire::writeInt32(x.s, x.rec.status);
    if (std::uint8_t(x.rec.status) != RC_CanDownload) {
        if (withTime) return;
        wire::writeLine(x.s, x.next.errorLine.toUtf8());
        wire::writeInt64(x.s, 0);
        return;
    }
    if (withTime) wire::writeLine(x.s, QByteArray::number(wire::dateToInt64(modified)));
    QFile content(x.d.contentPath(key));
    if (!content.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return;
    x.rec.offer = wire::readInt64(x.s);
    x.rec.check = wire::readInt64(x.s);
    x.rec.start = wire::resumeStart(content, x.rec.offer, x.rec.check);
    x.rec.count = content.size() - x.rec.start;
    if (x.next.startCount) std::tie(x.rec.start, x.rec.count) = *x.next.startCount;
    const qint64 filler = std::max(0, x.next.filler);
    wire::writeInt64(x.s, x.rec.start);
    wire::writeInt64(x.s, x.rec.count + filler);
    if (!SendFileData(x, content, x.rec.start, x.rec.count, filler)) return;
    x.rec.end = x.next.filler >= 0                               ? x.next.filler
                : x.next.fault.kind == FileFault::Kind::WrongEnd ? x.next.fault.endValue
                                                                 : wire::FileOverMark;
    wire::writeInt32(x.s, x.rec.end);
    if (!withTime) wire::writeInt64(x.s, 0);
}

}  // namespace ov::test

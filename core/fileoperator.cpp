#include "core/fileoperator.h"

#include <QFileInfo>
#include <algorithm>

#include "core/datetime.h"
#include "core/filetype.h"

namespace ov {

namespace {

bool readData(const QString& filename, TFileAttributeData& data) {
    if (filename.isEmpty()) return false;
    const QFileInfo info(filename);
    if (!info.exists()) return false;
    data = {};
    data.Attributes = info.isDir() ? std::uint32_t{FA_Directory} : 0u;
    if (info.fileName().startsWith(u'.')) data.Attributes |= FA_Hidden;
    if (!(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        data.Attributes |= FA_ReadOnly;
    if (info.isSymLink()) data.Attributes |= FA_ReparsePoint;
    if (data.Attributes == 0) data.Attributes = FA_Normal;
    data.LastWriteTime = info.lastModified().toUTC();
    data.LastAccessTime = info.lastRead().toUTC();
    const QDateTime birth = info.birthTime();
    data.CreationTime = birth.isValid() ? birth.toUTC() : data.LastWriteTime;
    data.Size = info.isDir() ? 0 : info.size();
    return true;
}

// A last write on an hour 0 of January 1980 is the mark of a time lost on the way (the
// earliest time some archive formats and file systems can hold); the creation time is then
// the better answer.
TDateTime modifyTimeOf(const TFileAttributeData& data) {
    const QDateTime local = data.LastWriteTime.toLocalTime();
    const bool lost =
        local.date().year() == 1980 && local.date().month() == 1 && local.time().hour() == 0;
    return QDateTimeToDateTime(lost ? data.CreationTime : data.LastWriteTime);
}

}  // namespace

QString TFileOperator::GetFilePostfix(const QString& filename) {
    const qsizetype dot = filename.lastIndexOf(u'.');
    return dot < 0 ? QString() : filename.mid(dot + 1);
}

std::int32_t TFileOperator::GetFileExtType2(const QString& filename) {
    return FileExtToCode(GetFilePostfix(filename));
}

QString TFileOperator::FileTypeToExtStr(std::int32_t code) {
    return CodeToExt(code);
}

void TFileOperator::FiltrateFile(const TFileTypeArray& fileTypes, QStringList& fileList) const {
    for (qsizetype i = fileList.size() - 1; i >= 0; --i) {
        if (!fileTypes.contains(GetFileExtType2(fileList.at(i)))) fileList.removeAt(i);
    }
}

bool TFileOperator::GetAttributes(const QString& filename, TFileAttributeData& data) const {
    try {
        return readData(filename, data);
    } catch (...) {
        return false;
    }
}

std::int64_t TFileOperator::GetFileSize(const QString& filename) const {
    TFileAttributeData data;
    return GetAttributes(filename, data) ? data.Size : 0;
}

std::int64_t TFileOperator::GetFileSizeEx(const QString& filename) {
    return TFileOperator().GetFileSize(filename);
}

TDateTime TFileOperator::GetFileModifyTime(const QString& filename) const {
    TFileAttributeData data;
    return GetAttributes(filename, data) ? QDateTimeToDateTime(data.LastWriteTime) : 0;
}

void TFileOperator::GetFileSizeAndModifyTime(const QString& filename, std::int64_t& size,
                                             TDateTime& modifyTime) const {
    TFileAttributeData data;
    const bool ok = GetAttributes(filename, data);
    size = ok ? data.Size : 0;
    modifyTime = ok ? modifyTimeOf(data) : 0;
}

void TFileOperator::GetFileSizeAndLastTime(const QString& filename, std::int64_t& size,
                                           TDateTime& modifyTime, TDateTime& lastTime) const {
    TFileAttributeData data;
    if (!GetAttributes(filename, data)) {
        size = 0;
        lastTime = 0;
        return;
    }
    size = data.Size;
    modifyTime = modifyTimeOf(data);
    lastTime = QDateTimeToDateTime(std::max(data.CreationTime, data.LastWriteTime));
}

void TFileOperator::GetFileSizeAndCreateTime(const QString& filename, std::int64_t& size,
                                             TDateTime& createTime) const {
    TFileAttributeData data;
    const bool ok = GetAttributes(filename, data);
    size = ok ? data.Size : 0;
    createTime = ok ? QDateTimeToDateTime(data.CreationTime) : 0;
}

}  // namespace ov

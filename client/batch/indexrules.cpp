// The index's pure rules.

#include "client/batch/indexrules.h"

#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/hash.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

std::optional<std::int64_t> FieldNumber(const QString& line, qsizetype from, qsizetype width) {
    bool ok = false;
    const std::int64_t value = line.mid(from, width).trimmed().toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

bool IsRenamedDeletedFile(const QString& path) {
    const qsizetype p = path.indexOf(u"_kx"_s);  // 0-based: the rule wants position >= 2
    if (p < 1) return false;
    qsizetype i = p + 4;
    while (i < path.size() && path[i].isDigit() && path[i].unicode() < 128)
        ++i;
    return i < path.size() && path[i] == u'.';
}

bool IsThumbsFile(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1).compare(u"thumbs.db"_s, Qt::CaseInsensitive) == 0;
}

QString UnindexablePathReason(const QString& path) {
    if (path.contains(u'\r') || path.contains(u'\n')) return u"the name holds a line break"_s;
    if (path.size() > kIndexPathMax)
        return u"the path is longer than %1 characters"_s.arg(kIndexPathMax);
    return QString();
}

std::int64_t UploadFileKey(const QString& path, std::int64_t size, TDateTime time) {
    const auto sum = std::uint64_t(HashText64(path)) + std::uint64_t(size) +
                     std::uint64_t(DateTimeToInt64(time) / 10);
    return std::int64_t(sum);
}

QString IndexField(std::int64_t value, qsizetype width) {
    return QString::number(value).leftJustified(width, u' ', true);
}

QString FileListLine(const TTidyFile& file) {
    return IndexField(file.PathHash) + IndexField(file.FolderId) + IndexField(file.Size) +
           IndexField(DateTimeToInt64(file.ModifyDT)) + file.Path + u"\r\n"_s;
}

QString StateLine(std::int64_t key, int state) {
    return IndexField(key) + IndexField(0) + IndexField(state, 4) + u"\r\n"_s;
}

std::optional<TTidyFile> ParseFileListLine(const QString& line) {
    const auto key = FieldNumber(line, 0, kIndexFieldWidth);
    const auto folder = FieldNumber(line, 22, kIndexFieldWidth);
    const auto size = FieldNumber(line, 44, kIndexFieldWidth);
    const auto time = FieldNumber(line, 66, kIndexFieldWidth);
    if (!key || !folder || !size || !time) return std::nullopt;
    TTidyFile file;
    file.PathHash = *key;
    file.FolderId = std::int32_t(*folder);
    file.Size = *size;
    file.ModifyDT = Int64ToDateTime(*time);
    file.Path = line.mid(88).trimmed().left(kIndexPathMax);
    file.Kind = TFileOperator::GetFileExtType2(file.Path);
    file.NameHash = HashText32(file.Path);
    return file;
}

std::optional<TStateEntry> ParseStateLine(const QString& line) {
    const auto key = FieldNumber(line, 0, kIndexFieldWidth);
    const auto state = FieldNumber(line, 44, 4);
    if (!key || !state) return std::nullopt;
    return TStateEntry{*key, int(*state)};
}

}  // namespace ov

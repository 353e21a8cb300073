// The task's file index: the sorted list, its two append-only files and the selection.

#include "client/batch/fileindex.h"

#include "client/batch/indexrules.h"
#include "core/batchtranconfig.h"
#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/hash.h"
#include "core/paths.h"

#include <QDir>
#include <QSaveFile>
#include <QStringConverter>
#include <sys/file.h>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr TDateTime kOneSecond = 1.15740740740741e-5;
constexpr int kBegunMark = 1;  // journalled only as the mark of a transfer that begins

QByteArray Utf16Bytes(const QString& text) {
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    return encoder.encode(text);
}

QStringList ReadLines(QFile& file) {
    file.seek(0);
    QStringDecoder decoder(QStringDecoder::Utf16LE);
    QString text = decoder.decode(file.readAll());
    QStringList lines = text.split(u"\r\n"_s);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool OpenLocked(QFile& file, const QString& name, bool lock) {
    file.setFileName(name);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) return false;
    if (lock && ::flock(file.handle(), LOCK_EX | LOCK_NB) != 0) {
        file.close();
        return false;
    }
    return true;
}

bool KindMatches(const TTidyFile& file, std::int32_t kind) {
    return kind == 0 || file.Kind == kind;
}

}  // namespace

TFileIndex::TFileIndex() {
    MinDT = Now();
    MaxDT = MinDT - 1;
}

TFileIndex::~TFileIndex() {
    Close();
}

void TFileIndex::SetFileTypes(const TFileTypeArray& values) {
    QMutexLocker lock(&m_lock);
    m_types = values.contains(42) ? TFileTypeArray() : values;
}

void TFileIndex::Init(const QString& folder) {
    m_folder = folder.isEmpty() ? TBatchTranConfig::IndexFolder() : folder;
    if (!m_folder.endsWith(u'/')) m_folder += u'/';
    QDir().mkpath(m_folder);
    m_pathFileName = m_folder + QString::number(TaskId) + u".fln"_s;
    m_statusFileName = m_folder + QString::number(TaskId) + u".std"_s;
}

QString TFileIndex::RemovedFileName() const {
    return m_folder + QString::number(TaskId) + u".ivd"_s;
}

void TFileIndex::Close() {
    m_path.close();  // closing the descriptor releases the lock
    m_status.close();
}

bool TFileIndex::Load() {
    QMutexLocker lock(&m_lock);
    Close();
    if (!OpenLocked(m_path, m_pathFileName, true)) {
        m_lastError = u"The file index of task %1 is in use or cannot be opened: %2"_s.arg(TaskId).arg(
            m_pathFileName);
        return false;
    }
    if (!OpenLocked(m_status, m_statusFileName, false)) {
        Close();
        m_lastError = u"The state journal cannot be opened: "_s + m_statusFileName;
        return false;
    }
    ReadFileList();
    ReplayJournal();
    return true;
}

QString TFileIndex::LastError() const {
    QMutexLocker lock(&m_lock);
    return m_lastError;
}

void TFileIndex::ReadFileList() {
    for (const QString& line : ReadLines(m_path)) {
        auto file = ParseFileListLine(line);
        if (!file || m_files.count(file->PathHash)) continue;  // the first line for a key holds
        m_allSize += file->Size;
        m_new.insert(file->PathHash);
        m_files.emplace(file->PathHash, std::move(*file));
    }
}

// The last line for a key gives its state; finished bytes count the files whose state is done.
void TFileIndex::ReplayJournal() {
    for (const QString& line : ReadLines(m_status)) {
        const auto entry = ParseStateLine(line);
        if (!entry || entry->State < 0 || entry->State > 255) continue;
        const auto it = m_files.find(entry->Key);
        if (it == m_files.end()) continue;
        if (entry->State == kBegunMark) {
            m_begunBefore.insert(entry->Key);  // the file stays new: it is tried again
            continue;
        }
        m_begunBefore.erase(entry->Key);
        SetStateLocked(it->second, entry->State);
    }
    m_finishedSize = 0;
    for (const auto& [key, file] : m_files)
        if (file.Dealed == DL_Done) m_finishedSize += file.Size;
}

void TFileIndex::SetStateLocked(TTidyFile& file, int state) {
    const int old = file.Dealed;
    if (old == 0) m_new.erase(file.PathHash);
    else if (old < 5) m_retry.erase(file.PathHash);
    else if (old < 99) --m_giveUp;
    else if (old == 99) --m_removed;
    file.Dealed = TDealState(state);
    if (state == 0) m_new.insert(file.PathHash);
    else if (state < 5) m_retry.insert(file.PathHash);
    else if (state < 99) ++m_giveUp;
    else if (state == 99) ++m_removed;
}

void TFileIndex::AppendFileInfo(const QStringList& paths) {
    for (const QString& path : paths)
        if (!path.isEmpty() && !IsRenamedDeletedFile(path)) AppendFileInfoEx(path);
}

bool TFileIndex::PassesFilters(std::int64_t size, TDateTime time, std::int32_t kind) const {
    if (MinFileSize < MaxFileSize && (size < MinFileSize || size > MaxFileSize)) return false;
    if (MinDT < MaxDT && (time < MinDT || time > MaxDT)) return false;
    return m_types.isEmpty() || m_types.contains(kind);
}

void TFileIndex::AppendFileInfoEx(const QString& path) {
    if (IsThumbsFile(path)) return;
    if (const QString why = UnindexablePathReason(path); !why.isEmpty()) {
        if (OnSkipFile) OnSkipFile(u"Skipped, "_s + why + u": "_s + path.left(kIndexPathMax));
        return;
    }
    std::int64_t size = 0;
    TDateTime modify = 0, last = 0;
    TFileOperator().GetFileSizeAndLastTime(path, size, modify, last);
    const std::int32_t kind = TFileOperator::GetFileExtType2(path);
    QMutexLocker lock(&m_lock);
    if (!PassesFilters(size, last, kind)) return;
    const std::int64_t key = UploadFileKey(path, size, last);
    if (const auto it = m_files.find(key); it != m_files.end()) {
        TTidyFile& listed = it->second;
        if (listed.Size == size && std::abs(listed.ModifyDT - last) <= kOneSecond) return;
        listed.Size = size;
        listed.ModifyDT = last;
        SetStateLocked(listed, 0);
        return;
    }
    TTidyFile file;
    file.Path = path;
    file.PathHash = key;
    file.NameHash = HashText32(path);
    file.Kind = kind;
    file.Size = size;
    file.ModifyDT = last;
    Insert(std::move(file));
}

void TFileIndex::AppendFileInfoEx(const TTidyFile& record) {
    if (const QString why = UnindexablePathReason(record.Path); !why.isEmpty()) {
        if (OnSkipFile) OnSkipFile(u"Skipped, "_s + why + u": "_s + record.Path.left(kIndexPathMax));
        return;
    }
    QMutexLocker lock(&m_lock);
    if (m_files.count(record.PathHash)) return;
    TTidyFile file = record;
    file.Dealed = DL_New;
    Insert(std::move(file));
}

void TFileIndex::Insert(TTidyFile file) {
    m_allSize += file.Size;
    WriteFileListLine(file);
    m_new.insert(file.PathHash);
    m_files.emplace(file.PathHash, std::move(file));
}

void TFileIndex::WriteFileListLine(const TTidyFile& file) {
    if (OnAppendFile) OnAppendFile(file.Path);
    const QByteArray bytes = Utf16Bytes(FileListLine(file));
    if (!m_path.isOpen() || !m_path.seek(m_path.size()) || m_path.write(bytes) != bytes.size()) {
        m_lastError = u"The file list cannot be written: "_s + m_pathFileName;
        if (OnSkipFile) OnSkipFile(m_lastError);
    }
}

void TFileIndex::WriteStateLine(std::int64_t key, int state) {
    if (!m_status.isOpen()) return;  // a lost journal line only repeats a file after a restart
    if (m_status.seek(m_status.size())) m_status.write(Utf16Bytes(StateLine(key, state)));
}

void TFileIndex::UpdateState(std::int64_t key, TDealState state) {
    QMutexLocker lock(&m_lock);
    const auto it = m_files.find(key);
    if (it == m_files.end()) return;
    SetStateLocked(it->second, state);
    WriteStateLine(key, state);
}

void TFileIndex::MarkBegun(std::int64_t key) {
    QMutexLocker lock(&m_lock);
    if (m_files.count(key)) WriteStateLine(key, kBegunMark);
}

bool TFileIndex::BegunInEarlierLife(std::int64_t key) const {
    QMutexLocker lock(&m_lock);
    return m_begunBefore.count(key) > 0;
}

bool TFileIndex::GetTidyFile(std::int32_t kind, TTidyFile& out) {
    QMutexLocker lock(&m_lock);
    out.PathHash = -1;
    for (const std::set<std::int64_t>* pool : {&m_new, &m_retry})
        for (const std::int64_t key : *pool) {
            TTidyFile& file = m_files.at(key);
            if (!KindMatches(file, kind)) continue;
            SetStateLocked(file, file.Dealed + 1);
            out = file;
            return true;
        }
    return false;
}

int TFileIndex::GetUndealFileCount(std::int32_t kind) const {
    QMutexLocker lock(&m_lock);
    if (kind == 0) return int(m_new.size() + m_retry.size()) + m_giveUp;
    int n = 0;
    for (const auto& [key, file] : m_files)
        n += file.Dealed < 99 && file.Kind == kind;
    return n;
}

int TFileIndex::GetAllCount(std::int32_t kind) const {
    QMutexLocker lock(&m_lock);
    if (kind == 0) return int(m_files.size()) - m_removed;
    int n = 0;
    for (const auto& [key, file] : m_files)
        n += file.Dealed != 99 && file.Kind == kind;
    return n;
}

void TFileIndex::GetUndealFileInfo(QStringList& errors) const {
    QMutexLocker lock(&m_lock);
    for (const auto& [key, file] : m_files)
        if (file.Dealed >= 1 && file.Dealed <= 5) errors.append(file.Path);
}

void TFileIndex::ListFiles(const std::function<void(const TTidyFile&)>& method) const {
    QMutexLocker lock(&m_lock);
    for (const auto& [key, file] : m_files)
        method(file);
}

void TFileIndex::RemoveFiles(const QVector<std::int64_t>& keys) {
    QByteArray text;
    for (const std::int64_t key : keys)
        text += QByteArray::number(key) + "\r\n";
    QSaveFile file(RemovedFileName());
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text);
        file.commit();
    }
    MarkRemoved(keys);
}

void TFileIndex::RemoveInvalidKey() {
    QFile file(RemovedFileName());
    if (!file.open(QIODevice::ReadOnly)) return;
    QVector<std::int64_t> keys;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty()) keys.append(line.trimmed().toLongLong());
    MarkRemoved(keys);
}

void TFileIndex::MarkRemoved(const QVector<std::int64_t>& keys) {
    for (const std::int64_t key : keys)
        UpdateState(key, DL_Removed);
}

void TFileIndex::StateResetOfUpload() {
    QMutexLocker lock(&m_lock);
    for (auto& [key, file] : m_files)
        if (file.Dealed < 99) SetStateLocked(file, 0);
}

void TFileIndex::StateResetOfDownload() {
    QMutexLocker lock(&m_lock);
    for (auto& [key, file] : m_files)
        SetStateLocked(file, 0);
}

void TFileIndex::DeleteIndexFile() {
    QMutexLocker lock(&m_lock);
    Close();
    QFile::remove(m_pathFileName);
    QFile::remove(m_statusFileName);
}

void TFileIndex::Clear() {
    {
        QMutexLocker lock(&m_lock);
        m_files.clear();
        m_new.clear();
        m_retry.clear();
        m_giveUp = m_removed = 0;
        m_allSize = m_finishedSize = 0;
    }
    DeleteIndexFile();
    QFile::remove(RemovedFileName());
}

std::int64_t TFileIndex::TotalFileSize() const {
    QMutexLocker lock(&m_lock);
    return m_allSize;
}

std::int64_t TFileIndex::FinishedSize() const {
    QMutexLocker lock(&m_lock);
    return m_finishedSize;
}

}  // namespace ov

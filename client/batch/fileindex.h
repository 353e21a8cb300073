#pragma once
// The file index of one batch task: every file the task has to transfer, with its state, kept
// sorted by key in memory and mirrored in two append-only files of the index folder, so that a
// task resumes where it stopped after a restart:
//   <id>.fln  the file list, one line per file added (UTF-16LE, no byte-order mark);
//   <id>.std  the state journal, one line per state change (same encoding);
//   <id>.ivd  the keys the user removed from the task (rewritten whole).
// The index holds an exclusive advisory lock on its file list for its whole life, so a second
// index of the same task (another process, or the task dialog while a worker runs) is refused
// instead of interleaving its lines.
//
// One lock guards the list and both files; the worker thread and the user-interface thread may
// call any operation.

#include <QFile>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include "core/types.h"

namespace ov {

class TFileIndex {
public:
    TFileIndex();
    ~TFileIndex();
    TFileIndex(const TFileIndex&) = delete;
    TFileIndex& operator=(const TFileIndex&) = delete;

    // Upload filters: no size filter unless Min < Max, no time filter unless MinDT < MaxDT.
    std::int64_t MinFileSize = 0;
    std::int64_t MaxFileSize = 0;
    TDateTime MinDT = 0;
    TDateTime MaxDT = -1;
    std::int32_t TaskId = 0;
    // Raised with the path of every file written to the file list.
    std::function<void(const QString& path)> OnAppendFile;
    // Raised with a line for every file left out because its path cannot be indexed.
    std::function<void(const QString& line)> OnSkipFile;

    // Empties the type filter; takes the codes unless one of them is 42 ("*": every type).
    void SetFileTypes(const TFileTypeArray& values);

    // The index folder (the task file's one when empty; created when missing) and the names.
    void Init(const QString& folder = QString());
    // Opens (creating when missing) and locks the two files, reads the file list and replays
    // the journal. False, with LastError, when another index holds them or they cannot be
    // opened.
    bool Load();
    QString LastError() const;

    // Every non-empty line that is not a renamed deleted file, through AppendFileInfoEx.
    void AppendFileInfo(const QStringList& paths);
    // Adds one local file through the upload filters.
    void AppendFileInfoEx(const QString& path);
    // Adds a prepared record (downloads) unless its key is listed; its state becomes new.
    void AppendFileInfoEx(const TTidyFile& file);

    // Journals that a transfer of the key begins (an upload that may reach the server even if
    // this process dies before it hears so). The state in memory is unchanged.
    void MarkBegun(std::int64_t key);
    // Whether the last journal line for the key, when the index was loaded, was such a mark:
    // an earlier life of the task began the transfer and never heard its end.
    bool BegunInEarlierLife(std::int64_t key) const;
    // Sets a listed key's state and journals it; nothing for a key not listed.
    void UpdateState(std::int64_t key, TDealState state);
    // The next file to try: new files first, then files tried fewer than five times; the
    // choice counts as an attempt (in memory only). False (key -1) when none is left.
    bool GetTidyFile(std::int32_t kind, TTidyFile& file);
    // Files of the kind (0: all) still to do (state below 99), and not removed (state not 99).
    int GetUndealFileCount(std::int32_t kind) const;
    int GetAllCount(std::int32_t kind) const;
    // Appends the path of every file tried but not done.
    void GetUndealFileInfo(QStringList& errors) const;
    // Calls `method` for every record in key order, under the lock.
    void ListFiles(const std::function<void(const TTidyFile&)>& method) const;

    // Writes the keys to ".ivd" and marks the listed ones removed.
    void RemoveFiles(const QVector<std::int64_t>& keys);
    // Marks the keys of ".ivd" removed.
    void RemoveInvalidKey();
    // Every file not removed or done is new again (in memory).
    void StateResetOfUpload();
    // Every file is new again (in memory).
    void StateResetOfDownload();

    // Closes the files (releasing the lock) and deletes the file list and the journal.
    void DeleteIndexFile();
    // Frees every record, DeleteIndexFile, and deletes ".ivd".
    void Clear();

    std::int64_t TotalFileSize() const;
    // Bytes of the files whose last journalled state is done, as read by Load.
    std::int64_t FinishedSize() const;
    QString FileListName() const { return m_pathFileName; }
    QString StateFileName() const { return m_statusFileName; }
    QString RemovedFileName() const;

private:
    void Close();
    void Insert(TTidyFile file);
    void SetStateLocked(TTidyFile& file, int state);
    void WriteFileListLine(const TTidyFile& file);
    void WriteStateLine(std::int64_t key, int state);
    bool PassesFilters(std::int64_t size, TDateTime time, std::int32_t kind) const;
    void ReadFileList();
    void ReplayJournal();
    void MarkRemoved(const QVector<std::int64_t>& keys);

    mutable QMutex m_lock;
    std::map<std::int64_t, TTidyFile> m_files;  // by key, signed order
    std::set<std::int64_t> m_new;               // state 0
    std::set<std::int64_t> m_retry;             // states 1 to 4
    std::set<std::int64_t> m_begunBefore;       // begun in an earlier life, end unknown
    int m_giveUp = 0;                           // state 5
    int m_removed = 0;                          // state 99
    TFileTypeArray m_types;
    std::int64_t m_allSize = 0;
    std::int64_t m_finishedSize = 0;
    QString m_folder;
    QString m_pathFileName;
    QString m_statusFileName;
    QFile m_path;
    QFile m_status;
    QString m_lastError;
};

}  // namespace ov

#pragma once
// A download over a user's local file must never lose it. The file channel moves the old file
// to a backup ("name_YYMMDD_HHMMSS.bak") before it writes the new one and deletes the backup
// once the new file is whole. This guard notes the backups that existed before; when the
// download does not end well, it puts the first backup made since back in the file's place and
// drops the partial file.

#include <QSet>
#include <QString>

namespace ov {

class TLocalCopyGuard {
public:
    explicit TLocalCopyGuard(const QString& local);
    // Restores the old file unless Keep was called.
    ~TLocalCopyGuard();
    TLocalCopyGuard(const TLocalCopyGuard&) = delete;
    TLocalCopyGuard& operator=(const TLocalCopyGuard&) = delete;

    // The download ended well: nothing to restore.
    void Keep() { m_keep = true; }

private:
    QSet<QString> backups() const;

    QString m_local;
    QSet<QString> m_before;
    bool m_keep = false;
};

// Clears the read-only state of a local file (the owner may write it again).
void MakeWritable(const QString& local);

}  // namespace ov

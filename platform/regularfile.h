#pragma once
// Reading a file that something else may have put in place of ours: only a regular file is
// read, and it is opened without blocking, so a pipe or a device found under the name cannot
// hold the program in open() or read() for ever.

#include <QByteArray>
#include <QString>

namespace ov::platform {

enum class FileReadStatus {
    Ok,          // `bytes` holds the file's first bytes (all of them when size <= the limit)
    Missing,     // nothing has that name
    Folder,      // a folder has that name
    NotRegular,  // a pipe, device or socket has that name
    Failed       // it could not be opened or read (`error` says why)
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Failed;
    QByteArray bytes;
    qint64 size = 0;  // the file's whole size, also when more than the limit was there
    QString error;    // a description for every status but Ok
};

// Reads at most `maxSize` bytes of the file (links are followed to a regular file).
FileRead readRegularFile(const QString& fileName, qint64 maxSize);

}  // namespace ov::platform

#pragma once
// Inside the test server's file channel: the shared state and one connection's session.

#include "testing/docserver/filechannel.h"

#include <QFile>
#include <QTemporaryDir>
#include <mutex>

namespace ov::test {

struct DocFileChannel::Impl {
    DocModel& model;
    std::unique_ptr<QTemporaryDir> temp;
    QString root;  // ends with "/"
    mutable std::mutex mutex;
    NextTransfer next;
    std::vector<FileTransferRecord> records;

    explicit Impl(DocModel& m) : model(m) {}
    NextTransfer takeNext();
    void record(const FileTransferRecord& record);
    QString contentPath(std::int64_t key);
    void serve(PeerStream& stream);
};

// One file-channel connection as the server runs it.
struct FileSession {
    DocFileChannel::Impl& d;
    PeerStream& s;
    NextTransfer next;
    FileTransferRecord rec;
    std::int32_t userId = 0;  // 0: no valid token
    std::vector<char> buffer;

    QString tag(const QString& name) const;
    // The status to send: the script's when it has one.
    qint32 status(qint32 modelStatus) const { return next.status.value_or(modelStatus); }
};

// Data in both directions, obeying the session's fault. False when the fault ended the
// connection (cut, or stalled until the client gave up).
bool SendFileData(FileSession& x, QFile& file, qint64 start, qint64 count, qint64 filler);
bool ReceiveFileData(FileSession& x, QFile& file, qint64 count);
// Reads start, count, the data and the end value into `part`; true when all came with the end
// mark. `offer` is the offset the sender may start at besides 0.
bool ReceiveUpload(FileSession& x, const QString& partName, qint64 offer);

void ServeUploadNew(FileSession& x);
void ServeUploadVersion(FileSession& x);
void ServeUploadStream(FileSession& x);
void ServeDownload(FileSession& x, bool withTime);

}  // namespace ov::test

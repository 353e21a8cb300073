#pragma once
// The test server's file channel: the other side of every upload and download of the client,
// with resume in both directions, over the model's files. Contents live on disk under a
// temporary root (one file per key, partial uploads beside them), so big transfers stream and
// nothing is held in memory. Tests script the next transfer: a fault (cut the connection after
// N data bytes, stall, a wrong end value), a status, an offer or a start of their choice.

#include "testing/docserver/model/model.h"
#include "testing/docserver/server.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace ov::test {

struct FileFault {
    enum class Kind { None, Cut, Stall, WrongEnd };
    Kind kind = Kind::None;
    qint64 afterBytes = 0;     // data bytes that pass before a cut or a stall
    qint32 endValue = 0x0BAD;  // the end value of WrongEnd (sent after whole data)
};

// What the next file-channel connection does differently; cleared once it has been used.
struct NextTransfer {
    FileFault fault;
    std::optional<qint32> status;  // sent in place of the model's answer
    QString errorLine;             // the line after status 100 (or a refusal of receive 8)
    int filler = -1;               // >= 0: the download is padded and ends with this value
    std::optional<std::pair<qint64, qint64>> offer;       // upload offer (offset, check)
    std::optional<std::pair<qint64, qint64>> startCount;  // download start and count
};

// One transfer as it ran.
struct FileTransferRecord {
    qint32 command = 0;
    QString params;  // decoded parameter text
    qint32 status = 0;
    qint64 offer = -1;  // the receiver's offered offset
    qint64 check = 0;
    qint64 start = -1;  // where the data started
    qint64 count = -1;  // the data length named
    qint64 moved = 0;   // data bytes that really travelled
    qint32 end = -1;    // the end value (-1: none)
};

class DocFileChannel {
public:
    // `root` empty: a new temporary folder, removed with this object.
    explicit DocFileChannel(DocModel& model, const QString& root = QString());
    ~DocFileChannel();
    DocFileChannel(const DocFileChannel&) = delete;
    DocFileChannel& operator=(const DocFileChannel&) = delete;

    // Registers the file channel's greeting line on the server; this object must outlive it.
    void install(DocServer& server);
    QString root() const;

    // The contents of a file on disk (made up from the key for model files that have none).
    QString contentPath(std::int64_t key);
    QByteArray content(std::int64_t key);
    // Stores contents for a key and sets the model file's size.
    void setContent(std::int64_t key, const QByteArray& data);
    // The thumbnail uploaded for a key ("" when none).
    QByteArray thumbnail(std::int64_t key) const;

    void setNext(const NextTransfer& next);
    std::vector<FileTransferRecord> transfers() const;
    void clearTransfers();

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

}  // namespace ov::test

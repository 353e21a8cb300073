#pragma once
// The upload of one local file into a server folder, blocking (run it on a worker). Only the
// status "can upload" (3) counts as uploaded; any other status is a failure with the server's
// text, and an exception is a failure with its message.

#include "documents/versions/backgroundcalls.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

namespace ov {

struct TUploadResult {
    bool Ok = false;
    std::uint8_t Status = 0;
    std::int64_t Key = 0;  // the new file's key (only when Ok)
    QString Error;
};

// Whether the upload's status means the file is on the server.
bool IsUploadedStatus(std::uint8_t status);

// `path` into the folder; the server sees the file under `path` (its local full path).
TUploadResult UploadLocalFile(const TServerAccess& access, std::int32_t ownerId,
                              std::int64_t folderId, const QString& path,
                              std::atomic<bool>* cancel,
                              const std::function<void(qint64, qint64)>& progress);

}  // namespace ov

#pragma once
// The preview download itself, apart from the form: one request on a fresh connection of the
// server client, into a file, on whichever thread runs it. The previewers run it on a worker
// thread so that the user interface stays live; the file streams to disk chunk by chunk.

#include "core/types.h"
#include "platform/handoff.h"

#include <QString>
#include <QThreadPool>
#include <atomic>
#include <cstdint>

namespace ov {

struct PreviewDownloadRequest {
    QString host;
    quint16 port = 0;
    bool isSsl = false;
    QString userIdStr;  // the enciphered user id
    THS_Language language = HSL_NONE;
    QString hashPs;    // passed through to the server
    int fileVer = -1;  // -1: the latest version
    std::int64_t fileKey = 0;
    QString destPath;
};

struct PreviewDownloadResult {
    bool ok = false;        // the server's status was 10 and the whole file arrived
    std::uint8_t code = 0;  // the result code of the download
    QString errorStr;       // the client's last error text
};

// The extra tagged text of a preview download:
// "[HashPs]...[/HashPs][IsPreView]True[/IsPreView][IsReplace]True[/IsReplace]" and, when
// fileVer >= 0, "[Versionid]" + fileVer + "[/Versionid]". Brackets are dropped from hashPs, so
// that it stays the value of its tag.
QString PreviewExtraText(const QString& hashPs, int fileVer);

// Runs the download (blocking). When it fails, the destination file and the backups that the
// transfer made of it are deleted, so no partial copy stays behind. `cancel` (optional) stops
// the transfer after the chunk in hand; a cancelled download counts as failed.
PreviewDownloadResult RunPreviewDownload(const PreviewDownloadRequest& request,
                                         std::atomic<bool>* cancel = nullptr);

// Deletes a preview copy and the backups that a transfer made of it ("<path>_yyMMdd_HHmmss.bak").
void RemovePreviewCopy(const QString& path);

// The threads that run previews' downloads and print reports; finished with the application.
QThreadPool& PreviewThreadPool();

}  // namespace ov

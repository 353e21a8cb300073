#pragma once
// The server side of thumbnails: the condition of the list request, its reply as work items,
// and the blocking work of one file (download, render, save, upload, clean up).

#include "control/thumbnails/thumbrender.h"
#include "documents/versions/backgroundcalls.h"

#include <QImage>
#include <QString>
#include <QVector>
#include <cstdint>

namespace ov::control {

struct TThumbItem {
    std::int64_t Key = 0;
    QString Name;
};

// "[FileType]types[/FileType][IsMicPic]True[/IsMicPic][IsReplace]True|False[/IsReplace]".
QString ThumbCondition(const QString& fileTypes, bool replace);

// One item per line "key*folder*date*name*path" (fields trimmed, empty ones dropped); a key
// that is not a number gives 0.
QVector<TThumbItem> ParseThumbList(const QString& reply);

struct TThumbOutcome {
    bool Uploaded = false;
    QString Log;     // what happened, when it did not work (or was skipped)
    QImage Picture;  // the thumbnail, when one was made
};

// Downloads the file into `root` under its base name, renders it, saves "ps<key>.jpg" there and
// uploads it with "[IsMicPic]True[/IsMicPic]"; both files are removed afterwards. Types without
// a renderer are skipped before anything is downloaded.
TThumbOutcome MakeThumbnail(const TServerAccess& access, const QString& root,
                            const TThumbItem& item, const TPdfConverter& convert);

}  // namespace ov::control

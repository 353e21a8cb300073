#pragma once
// The blocking parts of fetching older versions: what each requested version is called
// locally, and the step that keeps an existing local file and downloads one version.

#include "documents/versions/backgroundcalls.h"

#include <QDateTime>
#include <QString>
#include <QVector>
#include <atomic>
#include <cstdint>
#include <functional>

namespace ov::control {

// "3,-1" gives {3, -1}; a part that is not a number gives 0.
QVector<std::int32_t> ParseVersionIds(const QString& text);

struct TOldVersionTarget {
    QString Path;   // folder + the local name
    QString Extra;  // the download's extra text
};

// A negative id is the latest version under the file's own name; an id v >= 0 is saved as
// "name_v.ext". `folder` ends with "/"; only the base name of `fileName` is used.
TOldVersionTarget OldVersionTarget(const QString& folder, const QString& fileName,
                                   std::int32_t versionId);

// The name an existing target is moved to: "name_yymmddhhnnssz.ext" in the same folder.
QString StampedName(const QString& target, const QDateTime& now);

struct TOldVersionResult {
    std::uint8_t Code = 0;  // the download's result code (10: arrived)
    QString Error;          // the text to log when it did not arrive
    bool Skipped = false;   // the existing target could not be kept: nothing was downloaded
};

// Moves an existing target aside (stamped) and downloads the version. When the move fails the
// local file stays as it is and nothing is downloaded.
TOldVersionResult FetchOldVersion(const TServerAccess& access, std::int64_t fileKey,
                                  const TOldVersionTarget& target, std::atomic<bool>* cancel,
                                  const std::function<void(qint64, qint64)>& progress,
                                  const QDateTime& now);

}  // namespace ov::control

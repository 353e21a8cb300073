#include "platform/atomicfile.h"

#include <QSaveFile>

namespace ov::platform {

// QSaveFile writes to a temporary file beside the target, flushes it to disk on commit and
// renames it over the target; an existing file keeps its permission bits.
bool writeFileAtomically(const QString& fileName, const QByteArray& content, QString* error) {
    QSaveFile file(fileName);
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
    if (!ok) {
        if (error) *error = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

}  // namespace ov::platform

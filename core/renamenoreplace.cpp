#include "core/renamenoreplace.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <cerrno>
#include <cstdio>

namespace ov {

bool RenameNoReplace(const QString& from, const QString& to) {
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL) return false;
    if (QFileInfo::exists(to)) {
        errno = EEXIST;
        return false;
    }
    return ::rename(a.constData(), b.constData()) == 0;
}

}  // namespace ov

#include "client/desktop/programpath.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov {

QString ProgramPath() {
    return QFileInfo(u"/proc/self/exe"_s).canonicalFilePath();
}

}  // namespace ov

// The local search of an upload pass.

#include "client/batch/searchfiles.h"

#include "core/fileoperator.h"

namespace ov {

void TSearchFiles::Execute() {
    m_allFileNum = 0;
    for (const QString& root : m_roots) {
        if (PIsBreak && PIsBreak->load()) return;
        QStringList files;
        TFileOperator().GetAllFiles(root, IsIncludeSubFolder, files);
        m_allFileNum += int(files.size());
        if (OnSaveFiles) OnSaveFiles(files);
    }
}

}  // namespace ov

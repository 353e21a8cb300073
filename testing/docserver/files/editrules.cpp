#include "testing/docserver/files/editrules.h"

#include "core/resultcode.h"

using namespace Qt::StringLiterals;

namespace ov::test {

bool IsEditDownload(const FileSession& x) {
    return !x.tag(u"VersionId"_s).isEmpty() &&
           x.tag(u"IsPreView"_s).compare(u"True"_s, Qt::CaseInsensitive) != 0;
}

qint32 LockForEdit(FileSession& x, DocFile& file, qint32 status) {
    if (status != RC_CanDownload || !IsEditDownload(x)) return status;
    if (file.lockedBy != 0 && file.lockedBy != x.userId) return RC_Locked;
    file.lockedBy = x.userId;
    return status;
}

qint32 VersionUploadStatus(const DocFile& file, qint32 status) {
    if (status != RC_CanUpload) return status;
    if (file.inWriteAudit) return RC_InEditAudit;
    return file.editNeedsAudit ? RC_EditAudit : RC_CanUpload;
}

void ReleaseEditLock(const FileSession& x, DocFile& file) {
    if (file.lockedBy == x.userId) file.lockedBy = 0;
}

void TakeForAudit(const FileSession& x, DocFile& file) {
    ReleaseEditLock(x, file);
    file.inWriteAudit = true;
}

}  // namespace ov::test

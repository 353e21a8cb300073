#pragma once
// What the test server does for online editing on the file channel:
//  - a download that names a version ("VersionId") and is no preview is an edit: it locks the
//    file for the user, and is refused with 14 when another user holds the lock;
//  - a new version (an edit's or a check-in's) of a file in edit audit is refused with 30; of
//    a file whose edits need audit it is taken with 29 (as the final status too), kept aside
//    and the file goes into audit; a stored version (3) or one taken for audit releases the
//    user's lock or check-out.

#include "testing/docserver/files/filechannel_impl.h"

namespace ov::test {

// Whether the download request is an online edit.
bool IsEditDownload(const FileSession& x);
// The status of an edit download once the file may be read (10): 14 when another user holds
// the lock; otherwise the file is locked for the user. The caller holds the model's mutex.
qint32 LockForEdit(FileSession& x, DocFile& file, qint32 status);
// The first status of a new version (the caller holds the model's mutex).
qint32 VersionUploadStatus(const DocFile& file, qint32 status);
// A stored version ends the user's lock (another user's stays).
void ReleaseEditLock(const FileSession& x, DocFile& file);
// A version taken for audit: the lock ends and the file is in edit audit from then on.
void TakeForAudit(const FileSession& x, DocFile& file);

}  // namespace ov::test

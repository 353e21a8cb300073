#pragma once
// What the test server does for online editing on the file channel:
//  - a download that names a version ("VersionId") and is no preview is an edit: it locks the
//    file for the user, and is refused with 14 when another user holds the lock;
//  - a new version of a file in edit audit is refused with 30; of a file whose edits need
//    audit it is taken with 29 (as the final status too), kept aside and the file goes into
//    audit; a stored version (3) or one taken for audit releases the user's lock.

#include "testing/docserver/files/filechannel_impl.h"

namespace ov::test {

// Whether the download request is an online edit.
bool IsEditDownload(const FileSession& x);
// The status of an edit download once the file may be read (10): 14 when another user holds
// the lock; otherwise the file is locked for the user. The caller holds the model's mutex.
qint32 LockForEdit(FileSession& x, DocFile& file, qint32 status);
// The first status of a new version (the caller holds the model's mutex).
qint32 VersionUploadStatus(const DocFile& file, qint32 status);
// After the data of a new version arrived whole: the final status, and the lock released.
qint32 FinishVersionUpload(FileSession& x, DocFile& file, qint32 firstStatus);

}  // namespace ov::test

#include "documents/office/officepreviewupload.h"

#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "platform/officedocument.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

using platform::OfficeOperation;

// Accept, stop tracking, hide revisions, save the document, then write the copy to upload.
platform::DocumentOperations acceptAndCopy(const RevisionUpload& job) {
    std::vector<OfficeOperation> operations = platform::acceptRevisionsOperations();
    operations.push_back(OfficeOperation::saveAs(job.target));
    return {job.document, std::move(operations), job.timeLimit, job.workRoot};
}

QString upload(const RevisionUpload& job) {
    TRobotTcpClient client(job.server.ssl);
    client.SetHost(job.server.host);
    client.SetPort(job.server.port);
    client.SetUserEncryptId(job.server.userToken);
    client.SetLanguage(job.server.language);
    const std::uint8_t result =
        client.UploadFile2(job.target, revisionUploadExtraText(), job.fileKey);
    return result == RC_CanUpload ? u"ok"_s : client.GetLastError();
}

}  // namespace

QString revisionUploadExtraText() {
    return u"[SaveRevision]1[/SaveRevision]"_s;
}

RevisionUploadOutcome acceptRevisionsAndUpload(const RevisionUpload& job, std::stop_token stop) {
    RevisionUploadOutcome outcome;
    const platform::OfficeResult done =
        platform::runDocumentOperations(job.office, acceptAndCopy(job), stop);
    if (!done.ok()) {
        outcome.failed = true;
        outcome.error =
            done.message.isEmpty() ? u"The revisions could not be accepted."_s : done.message;
    } else if (!stop.stop_requested()) {
        outcome.reply = upload(job);
    }
    QFile::remove(job.target);
    return outcome;
}

}  // namespace ov

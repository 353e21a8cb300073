#pragma once
// Accepting every revision of the previewed document and sending the result to the server as
// a new version of its file. Blocks for seconds (the office, then the upload): run it on a
// worker thread (OfficeJob), never on the user-interface thread.

#include "core/types.h"
#include "platform/officesuite.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <stop_token>

namespace ov {

struct OfficeServerAddress {
    bool ssl = false;
    QString host;
    quint16 port = 0;
    QString userToken;  // the enciphered user id
    THS_Language language = HSL_NONE;
};

struct RevisionUpload {
    platform::OfficeInstallation office;
    QString document;  // the local copy; its revisions are accepted and it is saved
    QString target;    // the accepted copy that is uploaded; removed afterwards in every case
    std::int64_t fileKey = 0;
    OfficeServerAddress server;
    std::chrono::milliseconds timeLimit{120000};
    QString workRoot;  // where the office's private folder is made (empty: system temp)
};

struct RevisionUploadOutcome {
    // The office could not accept the revisions or save the copy: nothing was uploaded and
    // `error` says why.
    bool failed = false;
    QString error;
    // The upload's answer: "ok" when the server stored the version, else the client's error
    // text.
    QString reply;
};

// The extra text of the upload that marks a version made by accepting revisions.
QString revisionUploadExtraText();

RevisionUploadOutcome acceptRevisionsAndUpload(const RevisionUpload& job, std::stop_token stop);

}  // namespace ov

#pragma once
// The office previewer against the test server on loopback: the demo model with its office
// documents, a private home whose settings point at the server, and a previewer that records
// its message boxes instead of showing them.

#include "documents/office/officepreview.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <memory>

namespace ov::test {

void ensureApplication();

class RecordingOfficePreview : public TOfficeFilePreviewFrm {
public:
    using TOfficeFilePreviewFrm::TOfficeFilePreviewFrm;
    QStringList messages;  // "caption: text" of every box
    QString rootFolder() const { return FRoot; }

protected:
    void ShowErrorMessage(const QString& text) override {
        messages << WLS_Hint + QStringLiteral(": ") + text;
    }
    void ShowOfficeMessage(const QString& text, const QString& caption) override {
        messages << caption + QStringLiteral(": ") + text;
    }
};

class OfficePreviewTest : public ::testing::Test {
protected:
    OfficePreviewTest();
    ~OfficePreviewTest() override;

    // A new previewer with the shared hint window.
    std::unique_ptr<RecordingOfficePreview> newPreview(bool readOnly = false);
    // Shows a server file and waits for the end of the preview: whether it was shown.
    bool show(RecordingOfficePreview& preview, const char* ext, std::int64_t key,
              int timeoutMs = 180000);
    // The operations of the reports the server has recorded, once there are `atLeast` of them
    // or a second has passed (reports travel on a thread of their own).
    std::vector<std::int32_t> reports(size_t atLeast);
    // Files below the previewer's temporary folder.
    QStringList temporaryFiles(const RecordingOfficePreview& preview) const;

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    std::unique_ptr<TPreViewHint> hint;
};

}  // namespace ov::test

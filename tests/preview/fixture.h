#pragma once
// A test server with the demo model on loopback, a private home whose settings point at it,
// and a widget application; plus a previewer that records what the base form hands it.

#include "core/globalconfig.h"
#include "core/robottcpclient.h"
#include "documents/preview/previewbase.h"
#include "documents/preview/previewdownload.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"
#include "testpdf.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSignalSpy>

namespace ov::test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A previewer whose viewer is a record of the calls.
class RecordingPreview : public TPreviewBaseFrm {
public:
    using TPreviewBaseFrm::TPreviewBaseFrm;

    bool CheckViewer() override {
        ++checks;
        return viewerInstalled;
    }
    void LoadLocalFile(int FileType, const QString& FileName) override {
        loadedType = FileType;
        loadedName = FileName;
        loadedData = ReadAll(FileName);
    }

    // Waits for the end of a preview; its outcome, or nullopt when none came.
    std::optional<bool> WaitForPreview(int ms = 20000) {
        QSignalSpy spy(this, &TPreviewBaseFrm::previewFinished);
        if (!spy.wait(ms)) return std::nullopt;
        return spy.at(0).at(0).toBool();
    }

    using TPreviewBaseFrm::ClearClipboard;
    using TPreviewBaseFrm::DownloadPreviewFile;
    using TPreviewBaseFrm::FFileId;
    using TPreviewBaseFrm::WLS_CancelPrint;
    using TPreviewBaseFrm::WLS_ClearClipboard;

    bool viewerInstalled = true;
    int checks = 0;
    int loadedType = 0;
    QString loadedName;
    QByteArray loadedData;
};

class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(false);
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(HSL_ENG);
    }
    // Reports and downloads run on the preview threads; the test ends after them.
    ~PreviewTest() override { PreviewThreadPool().waitForDone(); }

    // The control requests of one request code that the server received.
    std::vector<ControlRequest> RequestsOf(TTranType code) {
        PreviewThreadPool().waitForDone();
        std::vector<ControlRequest> found;
        for (const ControlRequest& r : server.requests())
            if (r.head.TranType == code) found.push_back(r);
        return found;
    }

    ApplicationFirst app;
    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

}  // namespace ov::test

#pragma once
// The version-control forms against the test server with its demo content, over loopback (each
// test once in plain TCP and once under TLS), with a private home whose settings point at the
// server, and a played user who answers the forms' questions.

#include "core/datetime.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/versionui.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace ov::test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// What the user is asked and told, and the answers the test gives.
struct PlayedUser {
    QStringList asked, told, opened, newer;
    bool answer = true;
    QString newerAnswer = QStringLiteral("ok");
    QString pickedFolder;

    TVersionUi Ui() {
        TVersionUi ui;
        ui.Ask = [this](QWidget*, const QString&, const QString& text) {
            asked.append(text);
            return answer;
        };
        ui.Tell = [this](QWidget*, const QString&, const QString& text, bool) {
            told.append(text);
        };
        ui.PickFolder = [this](QWidget*, const QString&, const QString&) { return pickedFolder; };
        ui.Open = [this](const QString& path) {
            opened.append(path);
            return true;
        };
        ui.AskNewer = [this](QWidget*, const QString& name, THS_Language) {
            newer.append(name);
            return newerAnswer;
        };
        return ui;
    }
};

// The log window, counted when shown but never drawn: drawing makes Qt convert window images on
// threads of its own, whose hand-overs the thread checker cannot see.
class QuietLog : public THintFrmXe {
public:
    QuietLog() : THintFrmXe(HSL_ENG, nullptr) {}
    void setVisible(bool visible) override { shown += visible ? 1 : 0; }
    int shown = 0;
};

class VersionsTest : public ::testing::TestWithParam<bool> {
protected:
    VersionsTest() : server(DocServer::Options{GetParam()}) {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(GetParam());
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(HSL_ENG);
        config->SetWorkRoot(work);
        config->Save();
        log = std::make_unique<QuietLog>();
    }
    ~VersionsTest() override { VersionThreadPool().waitForDone(); }

    // The log rows as "name|text".
    QStringList LogRows() const {
        QStringList rows;
        for (int i = 0; i < log->RowCount(); ++i)
            rows.append(log->RowText(i, 0) + u'|' + log->RowText(i, 1));
        return rows;
    }

    DocFile& File(std::int64_t key) { return model.files.at(key); }

    TempHome home;  // the TLS runs pin the test certificate here
    QString work = home.file(QStringLiteral("work/"));
    QString ini = GetUserDataPath();
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    PlayedUser user;
    std::unique_ptr<QuietLog> log;
};

// Waits for a signal; its arguments, or an empty list when it did not come in time.
template <typename Object, typename Signal>
QList<QVariant> WaitFor(Object* object, Signal signal, int ms = 20000) {
    QSignalSpy spy(object, signal);
    if (!spy.wait(ms)) return {};
    return spy.first();
}

inline std::string TlsName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Tls" : "Plain";
}

}  // namespace ov::test

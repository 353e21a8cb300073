#pragma once
// A test server with the demo model on loopback (plain or TLS), a private home, and the
// server description an editor uses for the demo user.

#include "core/globalconfig.h"
#include "documents/editing/editrecords.h"
#include "documents/editing/editserver.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace ov::test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

struct EditServerFixture {
    explicit EditServerFixture(bool tls) : server(DocServer::Options{tls}) {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
        auto config = RenewGlobalConfig();
        config->SetServerHost(server.host());
        config->SetServerPort(server.port());
        config->SetIsSSL(tls);
        config->SetEncryptUserID(demo::DemoToken());
        config->SetSysLanguage(HSL_ENG);
        QDir().mkpath(home.file(QStringLiteral("ini/")));
    }

    EditServer Server(const QString& token = demo::DemoToken()) const {
        return {server.host(), server.port(), server.isTls(), token, HSL_ENG, IniPath(), 0};
    }
    QString IniPath() const { return home.file(QStringLiteral("ini/")); }
    std::int32_t LockedBy(std::int64_t key) {
        std::lock_guard lock(model.mutex);
        return model.file(key) ? model.file(key)->lockedBy : -1;
    }
    DocFile& File(std::int64_t key) { return model.files.at(key); }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

}  // namespace ov::test

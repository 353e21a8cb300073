#pragma once
// A test server with the demo model, its commands and its file channel on loopback, a private
// home, and a client of the demo user; plus small helpers for files and patterns.

#include "core/filechannel.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QFile>
#include <memory>
#include <thread>

namespace ov::test {

inline QByteArray Pattern(qint64 size, int seed = 7) {
    QByteArray data(size, Qt::Uninitialized);
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (qint64 i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        data[i] = char(x >> 16);
    }
    return data;
}

inline void WriteFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(data);
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileChannelTest : public ::testing::Test {
protected:
    explicit FileChannelTest(bool tls = false) : server(DocServer::Options{tls}) {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
    }

    std::unique_ptr<TRobotTcpClient> Client() {
        auto c = std::make_unique<TRobotTcpClient>(server.isTls());
        c->SetHost(server.host());
        c->SetPort(server.port());
        c->SetUserEncryptId(demo::DemoToken());
        c->SetLanguage(HSL_ENG);
        c->SetReadTimeout(3000);
        return c;
    }

    QString Local(const QString& name) const { return home.file(name); }

    // The server records a transfer after its last word; wait until `n` are there.
    std::vector<FileTransferRecord> Transfers(size_t n) const {
        for (int i = 0; i < 200 && files.transfers().size() < n; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return files.transfers();
    }

    // A model file with the given contents.
    std::int64_t ServerFile(const QByteArray& data, std::int64_t key = demo::ReportFile) {
        files.setContent(key, data);
        return key;
    }

    TDateTime ServerTime(std::int64_t key) {
        std::lock_guard lock(model.mutex);
        return model.file(key)->modified;
    }

    TTidyFile LocalUpload(const QString& name, const QByteArray& data) {
        WriteFile(Local(name), data);
        TTidyFile f;
        f.Path = Local(name);
        f.Size = data.size();
        f.ModifyDT = 45000.5;
        return f;
    }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
};

}  // namespace ov::test

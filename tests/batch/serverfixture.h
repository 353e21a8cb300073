#pragma once
// A test server with the demo model on loopback, a private home, and a batch worker for a task
// against it whose reports are recorded (the test plays the window's part).

#include "client/batch/batchworker.h"
#include "client/batch/fileindex.h"
#include "core/batchtransport.h"
#include "core/datetime.h"
#include "support/temphome.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

namespace ov::test {

inline QByteArray Bytes(int size, int seed) {
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((unsigned(i) * 31u + unsigned(seed) * 7u) & 0xFFu);
    return data;
}

inline void Write(const QString& path, const QByteArray& data) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

inline QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Waits up to `ms` for the condition.
template <class F>
bool WaitUntil(F condition, int ms = 20000) {
    for (int i = 0; i < ms / 5; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

// What a worker reported.
struct Reports {
    std::atomic<int> failed{0};
    std::atomic<int> passes{0};
    std::atomic<int> prohibited{0};
    std::atomic<int> started{0};
};

class BatchServerTest : public ::testing::Test {
protected:
    BatchServerTest() {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
    }

    TWorkerServer Server() const {
        TWorkerServer s;
        s.Host = server.host();
        s.Port = server.port();
        s.UserId = demo::DemoToken();
        s.Language = HSL_ENG;
        s.ConfigPath = home.file(QStringLiteral("config/"));
        s.IndexFolder = home.file(QStringLiteral("index/"));
        s.ReadTimeoutMs = 5000;
        QDir().mkpath(s.IndexFolder);
        return s;
    }

    static TBatchTransport Task(TTranStyle style, TFolderOrFile ff) {
        TBatchTransport t;
        InitBatchTransport(t);
        t.TranStyle = style;
        t.FF = ff;
        t.IncludeRootPath = false;
        return t;
    }

    TBatchTransport UploadTask(const QString& folder) {
        TBatchTransport t = Task(TS_Upload, FF_Folder);
        t.SourceFolderName = folder;
        t.DestOwnerId = demo::DemoUser;
        t.DestFolderId = demo::MyDocsFolder;
        t.DestFolderName = QStringLiteral("我的文档");
        return t;
    }

    std::unique_ptr<TCustomBathFileDeal> Worker(const TBatchTransport& task) {
        auto w = std::make_unique<TCustomBathFileDeal>(Server());
        w->IsLog = true;
        w->SetTaskInfo(task);
        auto* r = &reports;
        using W = TCustomBathFileDeal;
        QObject::connect(w.get(), &W::fileFailed, w.get(), [r](int) { ++r->failed; }, Qt::DirectConnection);
        QObject::connect(w.get(), &W::passOver, w.get(), [r](int) { ++r->passes; }, Qt::DirectConnection);
        QObject::connect(w.get(), &W::bulkDownloadProhibited, w.get(), [r] { ++r->prohibited; },
                         Qt::DirectConnection);
        QObject::connect(w.get(), &W::startDealFile, w.get(), [r](const QString&) { ++r->started; },
                         Qt::DirectConnection);
        return w;
    }

    // Runs one pass and lets the worker end as the window ends a one-off task.
    void RunPass(TCustomBathFileDeal& w, int passes = 1) {
        w.StartEx();
        ASSERT_TRUE(WaitUntil([&] { return reports.passes.load() >= passes; }))
            << w.LogText().toStdString();
    }

    int Uploads() const {
        int n = 0;
        for (const FileTransferRecord& r : files.transfers())
            n += r.status == 3 && r.end != -1;  // a cut transfer ends without its end value
        return n;
    }

    QString Local(const QString& relative) const { return home.file(relative); }

    TempHome home;
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    Reports reports;
};

}  // namespace ov::test

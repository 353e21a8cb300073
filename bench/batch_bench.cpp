// Files per second of one batch upload task and one batch download task against the test server
// on loopback (server and worker in this process), at several task sizes, beside the same
// uploads made one client per file without the worker, and beside a loop of `ovcli upload`
// processes over a sample of the files.
//   ov-bench-batch [--files 1000,10000] [--size BYTES] [--ovcli PATH] [--cli-files N]
// For each size it prints files per second each way and the time per file of the first and the
// last tenth of the upload pass (the cost per file must not grow with the files already indexed).

#include "client/batch/batchworker.h"
#include "core/batchtransport.h"
#include "core/robottcpclient.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace ov;
using namespace ov::test;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    QList<int> counts{1000, 10000};
    int size = 4096;
    QString ovcli;
    int cliFiles = 200;
};

Options Parse(const QStringList& args) {
    Options o;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QStringLiteral("--files")) {
            o.counts.clear();
            for (const QString& n : args[++i].split(u','))
                o.counts.append(n.toInt());
        } else if (args[i] == QStringLiteral("--size")) {
            o.size = args[++i].toInt();
        } else if (args[i] == QStringLiteral("--ovcli")) {
            o.ovcli = args[++i];
        } else if (args[i] == QStringLiteral("--cli-files")) {
            o.cliFiles = args[++i].toInt();
        }
    }
    if (o.ovcli.isEmpty())
        o.ovcli = QCoreApplication::applicationDirPath() + QStringLiteral("/../testing/ovcli/ovcli");
    return o;
}

double Since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

QStringList MakeFiles(const QString& folder, int count, int size) {
    QDir().mkpath(folder);
    QStringList paths;
    const QByteArray data(size, 'b');
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("f%1.dat").arg(i, 6, 10, QLatin1Char('0'));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(data);
        paths.append(path);
    }
    return paths;
}

struct Server {
    DocModel model;
    DocCommands commands{model};
    DocFileChannel files{model};
    DocServer server;
    Server() {
        demo::LoadDemo(model);
        commands.install(server);
        files.install(server);
    }
    std::int64_t NewFolder(const QString& name) {
        std::lock_guard lock(model.mutex);
        return model.addFolder(model.nextFolderId(), demo::DemoUser, 0, name).id;
    }
    TWorkerServer Worker(const QString& indexFolder) const {
        TWorkerServer s;
        s.Host = server.host();
        s.Port = server.port();
        s.UserId = demo::DemoToken();
        s.Language = HSL_ENG;
        s.IndexFolder = indexFolder;
        s.ConfigPath = indexFolder;
        return s;
    }
};

struct PassResult {
    double seconds = 0;
    double firstTenth = 0;  // seconds per file
    double lastTenth = 0;
};

// Runs one pass of the task; the worker's file starts give the time per file along the pass.
PassResult RunPass(const Server& s, const TBatchTransport& task, const QString& index, int files) {
    TCustomBathFileDeal worker(s.Worker(index));
    worker.SetTaskInfo(task);
    std::vector<Clock::time_point> starts;
    starts.reserve(size_t(files) + 1);
    std::atomic<bool> over{false};
    QObject::connect(&worker, &TCustomBathFileDeal::startDealFile, &worker,
                     [&](const QString&) { starts.push_back(Clock::now()); }, Qt::DirectConnection);
    QObject::connect(&worker, &TCustomBathFileDeal::passOver, &worker, [&](int) { over = true; },
                     Qt::DirectConnection);
    const auto t0 = Clock::now();
    worker.StartEx();
    while (!over.load())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    PassResult r;
    r.seconds = Since(t0);
    worker.StopEx();
    worker.wait();
    const size_t n = starts.size(), tenth = std::max<size_t>(n / 10, 1);
    if (n > 2 * tenth) {
        r.firstTenth = std::chrono::duration<double>(starts[tenth] - starts[0]).count() / double(tenth);
        r.lastTenth =
            std::chrono::duration<double>(starts[n - 1] - starts[n - 1 - tenth]).count() / double(tenth);
    }
    return r;
}

double ClientLoop(const Server& s, const QStringList& paths, std::int64_t folder) {
    const auto t0 = Clock::now();
    for (const QString& path : paths) {
        TRobotTcpClient c(false);
        c.SetHost(s.server.host());
        c.SetPort(s.server.port());
        c.SetUserEncryptId(demo::DemoToken());
        TTidyFile f;
        f.Path = path;
        f.Size = QFileInfo(path).size();
        f.ModifyDT = 45000;
        std::int64_t key = 0;
        c.UploadFile(demo::DemoUser, QString(), folder, f, key);
    }
    return double(paths.size()) / Since(t0);
}

double OvcliLoop(const Options& o, const Server& s, const QStringList& paths, std::int64_t folder) {
    if (!QFile::exists(o.ovcli)) return 0;
    const auto t0 = Clock::now();
    for (const QString& path : paths) {
        QProcess p;
        p.start(o.ovcli, {QStringLiteral("--server"),
                          s.server.host() + u':' + QString::number(s.server.port()),
                          QStringLiteral("--token"), demo::DemoToken(), QStringLiteral("upload"),
                          QString::number(folder), path, QString::number(demo::DemoUser)});
        p.waitForFinished(30000);
    }
    return double(paths.size()) / Since(t0);
}

void Measure(const Options& o, int count) {
    QTemporaryDir dir;
    Server s;
    const QString root = dir.filePath(QStringLiteral("up/"));
    const QStringList paths = MakeFiles(root, count, o.size);
    const std::int64_t target = s.NewFolder(QStringLiteral("batch"));
    TBatchTransport up;
    InitBatchTransport(up);
    up.TranStyle = TS_Upload;
    up.FF = FF_Folder;
    up.SourceFolderName = root;
    up.DestOwnerId = demo::DemoUser;
    up.DestFolderId = target;
    up.IncludeRootPath = false;
    const QString index = dir.filePath(QStringLiteral("index/"));
    const PassResult u = RunPass(s, up, index, count);
    TBatchTransport down;
    InitBatchTransport(down);
    down.TranStyle = TS_Download;
    down.FF = FF_Folder;
    down.SourceOwnerId = demo::DemoUser;
    down.SourceFolderId = target;
    down.SourceFolderName = QStringLiteral("batch\\");
    down.DestFolderName = dir.filePath(QStringLiteral("down/"));
    down.KeepClientNewFile = false;
    down.IncludeRootPath = false;
    const PassResult d = RunPass(s, down, index, count);
    const std::int64_t plain = s.NewFolder(QStringLiteral("plain"));
    const double loop = ClientLoop(s, paths.mid(0, std::min<qsizetype>(count, 2000)), plain);
    const std::int64_t cli = s.NewFolder(QStringLiteral("cli"));
    const double ovcli = OvcliLoop(o, s, paths.mid(0, o.cliFiles), cli);
    std::printf("%6d files of %d B: upload %8.0f files/s (%.2f ms/file first tenth, %.2f last), "
                "download %8.0f files/s (%.2f / %.2f ms)\n",
                count, o.size, count / u.seconds, u.firstTenth * 1e3, u.lastTenth * 1e3,
                count / d.seconds, d.firstTenth * 1e3, d.lastTenth * 1e3);
    std::printf("        baseline: one client per file without the worker %8.0f files/s; "
                "ovcli upload loop (%d files) %6.1f files/s\n",
                loop, o.cliFiles, ovcli);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options o = Parse(app.arguments());
    for (const int count : o.counts)
        Measure(o, count);
    return 0;
}

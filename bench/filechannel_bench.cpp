// Throughput of the file channel against the test server on loopback, beside a raw copy of the
// same bytes between two sockets (and, for TLS, a raw TLS copy), measured in the same run.
//   ov-bench-filechannel [--size MIB] [--tls] [--dir FOLDER]
// Prints MB/s of each, the ratio of the file channel to the raw copies, and the peak resident
// memory of the process (client and server both run in it), which must stay flat.

#include "core/robottcpclient.h"
#include "testing/docserver/commands.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace ov;
using namespace ov::test;

namespace {

constexpr qint64 Block = 1 << 20;
constexpr qint64 RawChunk = 0x8000;

struct Options {
    qint64 size = 256 * Block;
    bool tls = false;
    QString dir = QDir::tempPath();
};

Options Parse(const QStringList& args) {
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--tls")) o.tls = true;
        if (args[i] == QStringLiteral("--size") && i + 1 < args.size())
            o.size = args[++i].toLongLong() * Block;
        if (args[i] == QStringLiteral("--dir") && i + 1 < args.size()) o.dir = args[++i];
    }
    return o;
}

long PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void MakeSource(const QString& path, qint64 size) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray block(Block, Qt::Uninitialized);
    quint32 x = 12345;
    for (qint64 done = 0; done < size; done += Block) {
        for (qint64 i = 0; i < Block; ++i) {
            x = x * 1103515245u + 12345u;
            block[i] = char(x >> 16);
        }
        file.write(block.constData(), std::min(Block, size - done));
    }
}

int Listen(quint16& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd, 1);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

// The same number of bytes from one socket to another in 32 KB chunks: memory to memory, or
// file to file when both names are given.
double RawCopy(qint64 size, bool tls, const QString& from = {}, const QString& to = {}) {
    quint16 port = 0;
    const int listener = Listen(port);
    std::unique_ptr<TlsServerCredentials> credentials;
    if (tls) {
        const TestCertificate cert = makeSelfSignedCertificate();
        credentials =
            std::make_unique<TlsServerCredentials>(cert.certificatePem, cert.privateKeyPem);
    }
    const auto started = std::chrono::steady_clock::now();
    std::thread receiver([&] {
        NetStream in;
        in.adoptAccepted(::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC), credentials.get());
        QFile out(to);
        if (!to.isEmpty())
            out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
        std::vector<char> buffer(RawChunk);
        for (qint64 rest = size; rest > 0;) {
            const qint64 n = std::min(rest, RawChunk);
            in.readExact(buffer.data(), n);
            if (!to.isEmpty()) out.write(buffer.data(), n);
            rest -= n;
        }
        in.writeInt32(0);
    });
    NetStream net;
    net.connectTo(QStringLiteral("127.0.0.1"), port, tls);
    QFile source(from);
    if (!from.isEmpty()) source.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    std::vector<char> buffer(RawChunk, 'x');
    for (qint64 rest = size; rest > 0;) {
        const qint64 n = std::min(rest, RawChunk);
        if (!from.isEmpty()) source.read(buffer.data(), n);
        net.write(buffer.data(), n);
        rest -= n;
    }
    net.readInt32();
    receiver.join();
    ::close(listener);
    return Seconds(started);
}

void Report(const char* what, qint64 size, double seconds) {
    std::printf("%-38s %9.1f MB/s  (%.2f s)  peak RSS %ld MB\n", what, double(size) / 1e6 / seconds,
                seconds, PeakRssMb());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options o = Parse(app.arguments());
    QTemporaryDir work(o.dir + QStringLiteral("/ov-bench-XXXXXX"));
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot make a work folder in %s\n", qPrintable(o.dir));
        return 2;
    }
    qputenv("HOME", work.path().toLocal8Bit());  // certificate pins of this run stay here
    qputenv("XDG_CONFIG_HOME", (work.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (work.path() + QStringLiteral("/data")).toLocal8Bit());
    const QString source = work.path() + QStringLiteral("/source.bin");
    MakeSource(source, o.size);
    std::printf("%lld MiB, %s, folder %s, start peak RSS %ld MB\n", o.size / Block,
                o.tls ? "TLS" : "plain", qPrintable(work.path()), PeakRssMb());

    const double raw = RawCopy(o.size, o.tls);
    Report("raw socket copy (memory)", o.size, raw);
    const double rawFiles =
        RawCopy(o.size, o.tls, source, work.path() + QStringLiteral("/raw.bin"));
    Report("raw socket copy (file to file)", o.size, rawFiles);
    QFile::remove(work.path() + QStringLiteral("/raw.bin"));

    DocModel model;
    demo::LoadDemo(model);
    DocCommands commands(model);
    DocFileChannel files(model, work.path() + QStringLiteral("/server"));
    QDir().mkpath(files.root());
    DocServer server(DocServer::Options{o.tls});
    commands.install(server);
    files.install(server);

    TRobotTcpClient client(o.tls);
    client.SetHost(server.host());
    client.SetPort(server.port());
    client.SetUserEncryptId(demo::DemoToken());
    TTidyFile file;
    file.Path = source;
    file.Size = o.size;
    file.ModifyDT = 46000.5;
    std::int64_t key = 0;
    auto started = std::chrono::steady_clock::now();
    const int up = client.UploadFile(demo::DemoUser, QString(), demo::MyDocsFolder, file, key);
    const double upload = Seconds(started);
    Report("file channel upload", o.size, upload);
    // The raw copies again under the same conditions as the download (more data in the page
    // cache by now), so that each ratio compares like with like.
    const double rawLater = RawCopy(o.size, o.tls);
    Report("raw socket copy (memory), again", o.size, rawLater);
    const double rawFilesLater =
        RawCopy(o.size, o.tls, source, work.path() + QStringLiteral("/raw.bin"));
    Report("raw socket copy (file to file), again", o.size, rawFilesLater);
    QFile::remove(work.path() + QStringLiteral("/raw.bin"));
    started = std::chrono::steady_clock::now();
    const int down = client.DownloadFile(work.path() + QStringLiteral("/down.bin"), QString(), key);
    const double download = Seconds(started);
    Report("file channel download", o.size, download);
    std::printf("results: upload %d, download %d\n", up, down);
    std::printf("ratio to raw (memory):       upload %.2f  download %.2f\n", raw / upload,
                rawLater / download);
    std::printf("ratio to raw (file to file): upload %.2f  download %.2f\n", rawFiles / upload,
                rawFilesLater / download);
    server.stop();
    return up == 3 && down == 10 ? 0 : 1;
}

// Runs one transfer of the server client in a process of its own and prints the result code
// and the last error text, one per line. With OV_PROBE_FSIZE set, files may not grow beyond
// that many bytes (writes past it fail instead of ending the process).
//   filechannel_probe PORT TOKEN upload PATH OWNER FOLDER
//   filechannel_probe PORT TOKEN download KEY TARGET [replace]

#include "core/robottcpclient.h"

#include <sys/resource.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>

using namespace ov;

namespace {

void LimitFileSize() {
    const char* limit = std::getenv("OV_PROBE_FSIZE");
    if (!limit) return;
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit value{rlim_t(std::atoll(limit)), rlim_t(std::atoll(limit))};
    setrlimit(RLIMIT_FSIZE, &value);
}

int Run(TRobotTcpClient& c, const QStringList& a) {
    if (a.value(2) == QStringLiteral("upload") && a.size() == 6) {
        TTidyFile file;
        file.Path = a[3];
        std::int64_t key = 0;
        return c.UploadFile(a[4].toInt(), QString(), a[5].toLongLong(), file, key);
    }
    if (a.value(2) == QStringLiteral("download") && a.size() >= 5) {
        const QString extra = a.value(5) == QStringLiteral("replace")
                                  ? QStringLiteral("[IsReplace]True[/IsReplace]")
                                  : QString();
        return c.DownloadFile(a[4], extra, a[3].toLongLong());
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    LimitFileSize();
    TRobotTcpClient c;
    c.SetHost(QStringLiteral("127.0.0.1"));
    c.SetPort(quint16(args.value(0).toUInt()));
    c.SetUserEncryptId(args.value(1));
    c.SetLanguage(HSL_ENG);
    const int code = Run(c, args);
    if (code < 0) return 2;
    std::printf("%d\n%s\n", code, c.GetLastError().toUtf8().constData());
    return 0;
}

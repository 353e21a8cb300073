// ov-docserver as a person starts it: a bad argument says which and why, and a port that is in
// use is named, each with its exit status instead of an abort.

#include <gtest/gtest.h>
#include <QProcess>
#include <QStringList>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Outcome {
    int status = -1;
    QString err;
};

Outcome RunServer(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(OV_DOCSERVER_PROGRAM), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

// A loopback port with a listener on it, for as long as the object lives.
class TakenPort {
public:
    TakenPort() {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_fd, 1);
        socklen_t size = sizeof address;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
    }
    ~TakenPort() { ::close(m_fd); }
    quint16 port() const { return m_port; }

private:
    int m_fd = -1;
    quint16 m_port = 0;
};

TEST(DocServerProgram, MessagesForBadArgumentsAndATakenPort) {
    const TakenPort taken;
    const QString port = QString::number(taken.port());
    const struct {
        QStringList arguments;
        int status;
        QString err;
    } cases[] = {
        {{u"--port"_s, u"abc"_s}, 2,
         u"ov-docserver: --port abc: the port must be a number from 0 to 65535 (0: any free port)\n"_s},
        {{u"--port"_s, u"70000"_s}, 2,
         u"ov-docserver: --port 70000: the port must be a number from 0 to 65535"_s},
        {{u"--bogus"_s}, 2, u"ov-docserver: Unknown option 'bogus'.\n"_s},
        {{u"extra"_s}, 2, u"ov-docserver: unexpected argument \"extra\"\n"_s},
        {{u"--port"_s, port}, 1,
         u"ov-docserver: cannot listen on 127.0.0.1:%1: Address already in use\n"_s.arg(port)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome run = RunServer(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.err.startsWith(c.err)) << run.err.toStdString();
    }
}

}  // namespace

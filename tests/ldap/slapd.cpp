#include "slapd.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

#include "support/ports.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

const QString kSlapd = u"/usr/sbin/slapd"_s;
const QString kSlapadd = u"/usr/sbin/slapadd"_s;

QString Config(const QString& dir) {
    QString text;
    for (const char* schema : {"core", "cosine", "inetorgperson", "nis"})
        text += u"include /etc/ldap/schema/"_s + QLatin1StringView(schema) + u".schema\n"_s;
    text += u"modulepath /usr/lib/ldap\nmoduleload back_mdb\n"_s
            u"pidfile "_s + dir + u"/slapd.pid\n"_s
            u"database mdb\nmaxsize 10485760\nsuffix \"dc=example,dc=com\"\n"_s
            u"rootdn \"cn=admin,dc=example,dc=com\"\nrootpw secret\n"_s
            u"directory "_s + dir + u"/data\n"_s
            u"access to attrs=userPassword by anonymous auth by * none\n"_s
            u"access to * by * read\n"_s;
    return text;
}

void Write(const QString& file, const QString& text) {
    QFile out(file);
    if (out.open(QIODevice::WriteOnly)) out.write(text.toUtf8());
}

bool Answers(quint16 port) {
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, port);
    return socket.waitForConnected(200);
}

}  // namespace

Slapd::Slapd(const QString& ldif) {
    const QString dir = m_dir.path();
    QDir(dir).mkpath(u"data"_s);
    Write(dir + u"/slapd.conf"_s, Config(dir));
    Write(dir + u"/data.ldif"_s, ldif);
    if (!run(kSlapadd, {u"-f"_s, dir + u"/slapd.conf"_s, u"-l"_s, dir + u"/data.ldif"_s})) return;
    m_port = closedPort();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(kSlapd, {u"-f"_s, dir + u"/slapd.conf"_s, u"-h"_s,
                             u"ldap://127.0.0.1:%1/"_s.arg(m_port), u"-d"_s, u"0"_s});
    QElapsedTimer waited;
    waited.start();
    while (!m_ready && waited.elapsed() < 15000 && m_process.state() != QProcess::NotRunning) {
        m_ready = Answers(m_port);
        if (!m_ready) QThread::msleep(50);
    }
    if (!m_ready) m_error = u"slapd did not start: "_s + QString::fromUtf8(m_process.readAll());
}

Slapd::~Slapd() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) m_process.kill();
    m_process.waitForFinished(2000);
}

QString Slapd::path(const QString& dn) const {
    return u"LDAP://127.0.0.1:%1/"_s.arg(m_port) + dn;
}

bool Slapd::run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (process.waitForFinished(30000) && process.exitCode() == 0) return true;
    m_error = program + u": "_s + QString::fromUtf8(process.readAll());
    return false;
}

QString DirectoryFixture(const QString& currentUser) {
    QString ldif = u"dn: dc=example,dc=com\nobjectClass: dcObject\nobjectClass: organization\n"_s
                   u"o: Example\ndc: example\n\n"_s
                   u"dn: ou=dev,dc=example,dc=com\nobjectClass: organizationalUnit\nou: dev\n\n"_s
                   u"dn: ou=web,ou=dev,dc=example,dc=com\nobjectClass: organizationalUnit\n"_s
                   u"ou: web\n\n"_s
                   u"dn: ou=sales,dc=example,dc=com\nobjectClass: organizationalUnit\nou: sales\n\n"_s;
    const auto person = [](const QString& uid, const QString& unit, const QString& name,
                           int number) {
        return u"dn: uid=%1,%2dc=example,dc=com\nobjectClass: inetOrgPerson\n"_s
               u"objectClass: posixAccount\nuid: %1\ncn: %3\nsn: %4\ndisplayName: %3\n"_s
               u"userPassword: pw-%1\nuidNumber: %5\ngidNumber: 100\nhomeDirectory: /home/%1\n\n"_s
            .arg(uid, unit, name, name.left(1), QString::number(number));
    };
    ldif += person(u"zhangsan"_s, u"ou=dev,"_s, u"张三"_s, 1001);
    ldif += person(u"lisi"_s, u"ou=web,ou=dev,"_s, u"李四"_s, 1002);
    ldif += person(u"zhaoliu"_s, u"ou=sales,"_s, u"赵六"_s, 1003);
    ldif += person(currentUser, u"ou=sales,"_s, u"王五"_s, 1004);
    ldif += u"dn: cn=managers,ou=dev,dc=example,dc=com\nobjectClass: groupOfNames\n"_s
            u"cn: managers\nmember: uid=zhangsan,ou=dev,dc=example,dc=com\n"_s
            u"member: uid=lisi,ou=web,ou=dev,dc=example,dc=com\n\n"_s;
    return ldif;
}

}  // namespace ov::test

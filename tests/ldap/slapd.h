#pragma once
// A real directory server for the tests: slapd on a loopback port, with its own
// configuration and database in a temporary folder, filled from an LDIF text before it
// starts, and stopped when the object goes away. Base "dc=example,dc=com", administrator
// "cn=admin,dc=example,dc=com" with the password "secret"; everyone may read.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace ov::test {

class Slapd {
public:
    explicit Slapd(const QString& ldif);
    ~Slapd();
    bool running() const { return m_ready; }
    quint16 port() const { return m_port; }
    QString error() const { return m_error; }
    // "LDAP://127.0.0.1:port/" + dn.
    QString path(const QString& dn = {}) const;

private:
    bool run(const QString& program, const QStringList& args);

    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    bool m_ready = false;
    QString m_error;
};

// The fixture's directory: units dev (with web below it) and sales, people with Chinese
// names, a group of names, and `currentUser` with the display name "王五".
QString DirectoryFixture(const QString& currentUser);

}  // namespace ov::test

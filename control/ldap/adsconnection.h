#pragma once
// One bound connection to a directory server, opened from a directory path
// "LDAP://host:port/dn" (the dn may carry "%XX" escapes). Opening binds and checks that the
// path's entry exists, as opening a directory object always did; every call has a time limit,
// so a slow or silent server cannot hang the caller. Failures raise AdsError with the
// server's or the library's message.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "core/errors.h"

typedef struct ldap LDAP;

namespace ov::control {

class AdsError : public Error {
public:
    using Error::Error;
};

struct AdsCredentials {
    QString user;  // a bind name; "%XX" escapes are decoded
    QString password;
    bool secure = false;       // TLS (StartTLS) before the bind, or no bind
    bool currentUser = false;  // the user's own identity: a Kerberos ticket, else anonymous
};

struct AdsAttribute {
    QString name;
    QList<QByteArray> values;
};

struct AdsEntry {
    QString dn;
    QList<AdsAttribute> attributes;

    const AdsAttribute* find(const QString& name) const;  // names compared without case
    QString first(const QString& name) const;             // its first value as UTF-8 text
    QStringList texts(const QString& name) const;
};

enum class AdsScope { Base, OneLevel, Subtree };

struct AdsPathParts {
    QString server;  // "LDAP://host:port"
    QString dn;      // decoded
};
AdsPathParts SplitAdsPath(const QString& path);

// Whether two paths name one entry (server and dn compared without case and blanks after ",").
bool SameAdsPath(const QString& a, const QString& b);

class AdsConnection {
public:
    // Longest wait for the server to answer a connect and any one request.
    static constexpr int kNetworkTimeoutSeconds = 10;
    static constexpr int kRequestTimeoutSeconds = 30;
    // Most entries one search reads, whatever the caller asks.
    static constexpr int kMaxRows = 100000;

    static std::unique_ptr<AdsConnection> Open(const QString& path,
                                               const AdsCredentials& credentials);
    ~AdsConnection();
    AdsConnection(const AdsConnection&) = delete;
    AdsConnection& operator=(const AdsConnection&) = delete;

    const QString& server() const { return m_server; }
    const QString& dn() const { return m_dn; }
    QString pathOf(const QString& dn) const { return m_server + u'/' + dn; }

    // Entries below `base` (or `base` itself) that match; at most maxRows (<= 0: kMaxRows).
    // An empty attribute list reads every user attribute.
    QList<AdsEntry> search(const QString& base, AdsScope scope, const QString& filter,
                           const QStringList& attributes, int maxRows = 0);
    // The ADSI value type of an attribute from the server's schema (3, text, when unknown).
    int attributeType(const QString& name);

private:
    AdsConnection(LDAP* ld, QString server, QString dn);
    void bind(const AdsCredentials& credentials);
    void loadSchema();

    LDAP* m_ld;
    QString m_server;
    QString m_dn;
    bool m_schemaLoaded = false;
    QHash<QString, int> m_types;  // lower-case attribute name -> ADSI type
};

}  // namespace ov::control

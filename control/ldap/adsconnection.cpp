#include "control/ldap/adsconnection.h"

#include <ldap.h>
#include <ldap_schema.h>
#include <sys/time.h>
#include <unistd.h>

#include <QFileInfo>
#include <QUrl>
#include <vector>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

QString LdapText(int code) {
    return QString::fromUtf8(ldap_err2string(code));
}

AdsError Failure(LDAP* ld, int code, const QString& what) {
    char* detail = nullptr;
    QString message = what + u": "_s + LdapText(code);
    if (ld && ldap_get_option(ld, LDAP_OPT_DIAGNOSTIC_MESSAGE, &detail) == LDAP_OPT_SUCCESS &&
        detail) {
        if (*detail) message += u" ("_s + QString::fromUtf8(detail) + u')';
        ldap_memfree(detail);
    }
    return AdsError(message);
}

QString NormalisedDn(QString dn) {
    dn = dn.toLower();
    dn.replace(u", "_s, u","_s);
    return dn.trimmed();
}

// The ldap:// address of "LDAP://host:port" (port 389 when none is given).
QByteArray ServerUri(const QString& server) {
    QString hostPort = server.mid(7);
    if (hostPort.isEmpty()) throw AdsError(u"No directory server in the path"_s);
    if (!hostPort.contains(u':')) hostPort += u":389"_s;
    return "ldap://" + hostPort.toUtf8();
}

void SetTimeouts(LDAP* ld) {
    const int version = LDAP_VERSION3;
    ldap_set_option(ld, LDAP_OPT_PROTOCOL_VERSION, &version);
    ldap_set_option(ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    timeval network{AdsConnection::kNetworkTimeoutSeconds, 0};
    ldap_set_option(ld, LDAP_OPT_NETWORK_TIMEOUT, &network);
    timeval request{AdsConnection::kRequestTimeoutSeconds, 0};
    ldap_set_option(ld, LDAP_OPT_TIMEOUT, &request);
    const int limit = AdsConnection::kRequestTimeoutSeconds;
    ldap_set_option(ld, LDAP_OPT_TIMELIMIT, &limit);
}

// Whether the user holds a Kerberos ticket cache that a GSSAPI bind could use.
bool HasKerberosTicket() {
    QString cache = qEnvironmentVariable("KRB5CCNAME");
    if (cache.isEmpty()) cache = u"FILE:/tmp/krb5cc_"_s + QString::number(getuid());
    if (!cache.startsWith(u"FILE:"_s) && cache.contains(u':')) return true;  // not a file
    const QFileInfo file(cache.startsWith(u"FILE:"_s) ? cache.mid(5) : cache);
    return file.isFile() && file.size() > 0;
}

// The SASL library's prompt record; the GSSAPI mechanism asks for nothing but defaults.
struct SaslInteract {
    unsigned long id;
    const char* challenge;
    const char* prompt;
    const char* defresult;
    const void* result;
    unsigned len;
};

int TakeDefaults(LDAP*, unsigned, void*, void* prompts) {
    for (auto* p = static_cast<SaslInteract*>(prompts); p && p->id != 0; ++p) {
        p->result = p->defresult ? p->defresult : "";
        p->len = static_cast<unsigned>(qstrlen(static_cast<const char*>(p->result)));
    }
    return LDAP_SUCCESS;
}

int SimpleBind(LDAP* ld, const QByteArray& user, const QByteArray& password) {
    berval credential{static_cast<ber_len_t>(password.size()),
                      const_cast<char*>(password.constData())};
    return ldap_sasl_bind_s(ld, user.isEmpty() ? nullptr : user.constData(), LDAP_SASL_SIMPLE,
                            &credential, nullptr, nullptr, nullptr);
}

int AdsTypeOfSyntax(const QString& syntax) {
    static const QHash<QString, int> types{
        {u"1.3.6.1.4.1.1466.115.121.1.12"_s, 1},  {u"1.3.6.1.4.1.1466.115.121.1.15"_s, 3},
        {u"1.3.6.1.4.1.1466.115.121.1.26"_s, 3},  {u"1.3.6.1.4.1.1466.115.121.1.44"_s, 3},
        {u"1.3.6.1.4.1.1466.115.121.1.50"_s, 3},  {u"1.3.6.1.4.1.1466.115.121.1.38"_s, 3},
        {u"1.3.6.1.4.1.1466.115.121.1.36"_s, 5},  {u"1.3.6.1.4.1.1466.115.121.1.7"_s, 6},
        {u"1.3.6.1.4.1.1466.115.121.1.27"_s, 7},  {u"1.3.6.1.4.1.1466.115.121.1.40"_s, 8},
        {u"1.3.6.1.4.1.1466.115.121.1.5"_s, 8},   {u"1.3.6.1.4.1.1466.115.121.1.28"_s, 8},
        {u"1.3.6.1.4.1.1466.115.121.1.8"_s, 8},   {u"1.3.6.1.4.1.1466.115.121.1.24"_s, 9},
        {u"1.3.6.1.4.1.1466.115.121.1.53"_s, 9},  {u"1.2.840.113556.1.4.906"_s, 10},
        {u"1.2.840.113556.1.4.907"_s, 25},        {u"1.2.840.113556.1.4.903"_s, 11},
    };
    QString oid = syntax.section(u'{', 0, 0).trimmed();
    return types.value(oid, 3);
}

AdsEntry ReadEntry(LDAP* ld, LDAPMessage* message) {
    AdsEntry entry;
    if (char* dn = ldap_get_dn(ld, message)) {
        entry.dn = QString::fromUtf8(dn);
        ldap_memfree(dn);
    }
    BerElement* ber = nullptr;
    for (char* name = ldap_first_attribute(ld, message, &ber); name;
         name = ldap_next_attribute(ld, message, ber)) {
        AdsAttribute attribute{QString::fromUtf8(name), {}};
        if (berval** values = ldap_get_values_len(ld, message, name)) {
            for (berval** v = values; *v; ++v)
                attribute.values << QByteArray((*v)->bv_val, static_cast<qsizetype>((*v)->bv_len));
            ldap_value_free_len(values);
        }
        entry.attributes << attribute;
        ldap_memfree(name);
    }
    if (ber) ber_free(ber, 0);
    return entry;
}

}  // namespace

const AdsAttribute* AdsEntry::find(const QString& name) const {
    for (const AdsAttribute& attribute : attributes)
        if (attribute.name.compare(name, Qt::CaseInsensitive) == 0) return &attribute;
    return nullptr;
}

QString AdsEntry::first(const QString& name) const {
    const AdsAttribute* attribute = find(name);
    if (!attribute || attribute->values.isEmpty()) return {};
    return QString::fromUtf8(attribute->values.first());
}

QStringList AdsEntry::texts(const QString& name) const {
    QStringList result;
    if (const AdsAttribute* attribute = find(name))
        for (const QByteArray& value : attribute->values) result << QString::fromUtf8(value);
    return result;
}

AdsPathParts SplitAdsPath(const QString& path) {
    if (!path.startsWith(u"LDAP://"_s, Qt::CaseInsensitive))
        throw AdsError(u"Not a directory path: "_s + path);
    const qsizetype slash = path.indexOf(u'/', 7);
    AdsPathParts parts;
    parts.server = u"LDAP://"_s + (slash < 0 ? path.mid(7) : path.mid(7, slash - 7));
    if (slash >= 0) parts.dn = QUrl::fromPercentEncoding(path.mid(slash + 1).toUtf8());
    return parts;
}

bool SameAdsPath(const QString& a, const QString& b) {
    try {
        const AdsPathParts first = SplitAdsPath(a), second = SplitAdsPath(b);
        return first.server.compare(second.server, Qt::CaseInsensitive) == 0 &&
               NormalisedDn(first.dn) == NormalisedDn(second.dn);
    } catch (const AdsError&) {
        return false;
    }
}

std::unique_ptr<AdsConnection> AdsConnection::Open(const QString& path,
                                                   const AdsCredentials& credentials) {
    const AdsPathParts parts = SplitAdsPath(path);
    LDAP* ld = nullptr;
    const int code = ldap_initialize(&ld, ServerUri(parts.server).constData());
    if (code != LDAP_SUCCESS) throw Failure(nullptr, code, u"Cannot reach "_s + parts.server);
    std::unique_ptr<AdsConnection> connection(new AdsConnection(ld, parts.server, parts.dn));
    connection->bind(credentials);
    connection->search(parts.dn, AdsScope::Base, u"(objectClass=*)"_s, {u"1.1"_s}, 1);
    return connection;
}

AdsConnection::AdsConnection(LDAP* ld, QString server, QString dn)
    : m_ld(ld), m_server(std::move(server)), m_dn(std::move(dn)) {
    SetTimeouts(m_ld);
}

AdsConnection::~AdsConnection() {
    ldap_unbind_ext_s(m_ld, nullptr, nullptr);
}

void AdsConnection::bind(const AdsCredentials& credentials) {
    if (credentials.secure) {
        const int tls = ldap_start_tls_s(m_ld, nullptr, nullptr);
        if (tls != LDAP_SUCCESS) throw Failure(m_ld, tls, u"Secure connection failed"_s);
    }
    if (credentials.currentUser && HasKerberosTicket() &&
        ldap_sasl_interactive_bind_s(m_ld, nullptr, "GSSAPI", nullptr, nullptr, LDAP_SASL_QUIET,
                                     TakeDefaults, nullptr) == LDAP_SUCCESS)
        return;
    const QString user =
        credentials.currentUser ? QString() : QUrl::fromPercentEncoding(credentials.user.toUtf8());
    // A name without a password would be an unauthenticated bind that many servers accept.
    if (!user.isEmpty() && credentials.password.isEmpty())
        throw AdsError(u"Bind failed: the password is empty"_s);
    const int code = SimpleBind(m_ld, user.toUtf8(),
                                credentials.currentUser ? QByteArray() : credentials.password.toUtf8());
    if (code != LDAP_SUCCESS) throw Failure(m_ld, code, u"Bind failed"_s);
}

QList<AdsEntry> AdsConnection::search(const QString& base, AdsScope scope, const QString& filter,
                                      const QStringList& attributes, int maxRows) {
    const int rows = maxRows > 0 && maxRows < kMaxRows ? maxRows : kMaxRows;
    std::vector<QByteArray> names;
    for (const QString& attribute : attributes) names.push_back(attribute.toUtf8());
    std::vector<char*> list;
    for (QByteArray& name : names) list.push_back(name.data());
    list.push_back(nullptr);
    const int scopes[] = {LDAP_SCOPE_BASE, LDAP_SCOPE_ONELEVEL, LDAP_SCOPE_SUBTREE};
    timeval limit{kRequestTimeoutSeconds, 0};
    LDAPMessage* result = nullptr;
    const int code = ldap_search_ext_s(
        m_ld, base.toUtf8().constData(), scopes[static_cast<int>(scope)],
        filter.isEmpty() ? "(objectClass=*)" : filter.toUtf8().constData(),
        names.empty() ? nullptr : list.data(), 0, nullptr, nullptr, &limit, rows, &result);
    QList<AdsEntry> entries;
    for (LDAPMessage* m = result ? ldap_first_entry(m_ld, result) : nullptr;
         m && entries.size() < rows; m = ldap_next_entry(m_ld, m))
        entries << ReadEntry(m_ld, m);
    if (result) ldap_msgfree(result);
    if (code != LDAP_SUCCESS && code != LDAP_SIZELIMIT_EXCEEDED)
        throw Failure(m_ld, code, u"Search failed"_s);
    return entries;
}

int AdsConnection::attributeType(const QString& name) {
    if (!m_schemaLoaded) loadSchema();
    return m_types.value(name.toLower(), 3);
}

void AdsConnection::loadSchema() {
    m_schemaLoaded = true;
    QString subschema;
    try {
        const auto root = search({}, AdsScope::Base, {}, {u"subschemaSubentry"_s}, 1);
        if (!root.isEmpty()) subschema = root.first().first(u"subschemaSubentry"_s);
        if (subschema.isEmpty()) return;
        const auto schema = search(subschema, AdsScope::Base, u"(objectClass=subschema)"_s,
                                   {u"attributeTypes"_s}, 1);
        if (schema.isEmpty()) return;
        QHash<QString, QString> syntaxOf, superOf;
        for (const QByteArray& text : schema.first().find(u"attributeTypes"_s)
                                          ? schema.first().find(u"attributeTypes"_s)->values
                                          : QList<QByteArray>{}) {
            int code = 0;
            const char* error = nullptr;
            LDAPAttributeType* type =
                ldap_str2attributetype(text.constData(), &code, &error, LDAP_SCHEMA_ALLOW_ALL);
            if (!type) continue;
            for (char** n = type->at_names; n && *n; ++n) {
                const QString key = QString::fromUtf8(*n).toLower();
                if (type->at_syntax_oid) syntaxOf.insert(key, QString::fromUtf8(type->at_syntax_oid));
                if (type->at_sup_oid) superOf.insert(key, QString::fromUtf8(type->at_sup_oid).toLower());
            }
            ldap_attributetype_free(type);
        }
        for (auto it = superOf.cbegin(); it != superOf.cend(); ++it) {
            QString at = it.key();
            for (int depth = 0; depth < 16 && !syntaxOf.contains(at) && superOf.contains(at); ++depth)
                at = superOf.value(at);
            if (!syntaxOf.contains(it.key()) && syntaxOf.contains(at))
                syntaxOf.insert(it.key(), syntaxOf.value(at));
        }
        for (auto it = syntaxOf.cbegin(); it != syntaxOf.cend(); ++it)
            m_types.insert(it.key(), AdsTypeOfSyntax(it.value()));
    } catch (const AdsError&) {
        // without a readable schema every value is text
    }
}

}  // namespace ov::control

#include "control/ldap/ldapparams.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

// "a.b.c" gives "dc=a,dc=b,dc=c"; a base with "," or without "." stays.
QString DottedToDcBase(const QString& base) {
    if (base.contains(u',') || !base.contains(u'.')) return base;
    QStringList parts;
    for (const QString& label : base.split(u'.')) parts << u"dc="_s + label;
    return parts.join(u',');
}

// "dc=a,dc=b,dc=c" gives "a.b.c": each part after its first "=", at most 32 characters.
QString DomainOfBase(const QString& base) {
    QStringList labels;
    for (const QString& part : base.split(u',')) {
        const qsizetype equals = part.indexOf(u'=');
        labels << part.mid(equals + 1, 32);
    }
    return labels.join(u'.');
}

QString PlainPrincipal(const TLdapParams& params) {
    QString principal = params.Principal;
    if (params.Utf8Account) principal = LdapPercentEncode(principal);
    if (!params.FormatPrincipal.isEmpty())
        return QString(params.FormatPrincipal).replace(u"%s"_s, principal);
    if (params.NotBaseDNOfPrincipal) return principal;
    if (!principal.toLower().contains(params.BaseDN.toLower()))
        principal += u',' + params.BaseDN;
    return principal;
}

// An attribute description: a letter, then letters, digits, "-", "." or ";".
bool IsAttributeName(const QString& name) {
    if (name.isEmpty() || !name[0].isLetter() || name[0].unicode() > 0x7F) return false;
    for (const QChar c : name)
        if (c.unicode() > 0x7F || !(c.isLetterOrNumber() || c == u'-' || c == u'.' || c == u';'))
            return false;
    return true;
}

}  // namespace

QString LdapPercentEncode(const QString& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString result;
    for (const char byte : text.toUtf8()) {
        const auto value = static_cast<unsigned char>(byte);
        if (value < 0x80) {
            result += QChar(char16_t(value));
            continue;
        }
        result += u'%';
        result += QLatin1Char(kHex[value >> 4]);
        result += QLatin1Char(kHex[value & 15]);
    }
    return result;
}

TLdapParams NormaliseLdapParams(TLdapParams params) {
    params.Principal = params.Principal.trimmed();
    if (params.UserFieldName.isEmpty())
        params.UserFieldName = params.IsWinntDomain ? u"sAMAccountName"_s : u"uid"_s;
    if (params.IsWinntDomain) {
        params.OriginalDN = params.BaseDN;
        params.BaseDN = DottedToDcBase(params.BaseDN);
    }
    params.BaseDN.replace(u' ', u"%20"_s);
    if (params.Principal.isEmpty()) {
        params.Password.clear();
    } else if (params.IsWinntDomain && !params.Principal.contains(u'@')) {
        params.Principal += u'@' + DomainOfBase(params.BaseDN);
    } else {
        params.Principal = PlainPrincipal(params);
    }
    return params;
}

QString LdapEscapeFilterValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
            case u'*': escaped += u"\\2a"_s; break;
            case u'(': escaped += u"\\28"_s; break;
            case u')': escaped += u"\\29"_s; break;
            case u'\\': escaped += u"\\5c"_s; break;
            case 0: escaped += u"\\00"_s; break;
            default: escaped += c;
        }
    }
    return escaped;
}

QString LdapEscapeDnValue(const QString& value) {
    static const QString kSpecial = u",+\"\\<>;="_s;
    QString escaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        const bool edge = (i == 0 && (c == u'#' || c == u' ')) ||
                          (i == value.size() - 1 && c == u' ');
        if (edge || kSpecial.contains(c)) escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QString LdapAssertion(const QString& account, const QString& attribute) {
    const qsizetype equals = account.indexOf(u'=');
    const QString name = account.left(std::max<qsizetype>(equals, 0)).trimmed();
    if (!IsAttributeName(name)) return attribute + u'=' + LdapEscapeFilterValue(account);
    return name + u'=' + LdapEscapeFilterValue(account.mid(equals + 1));
}

QString LdapRdnValue(const QString& dn) {
    QString first = dn.section(u',', 0, 0);
    return first.mid(first.indexOf(u'=') + 1);
}

bool IsUnitOrGroupClass(const TLdapParams& params, const QString& cls) {
    const QString lower = cls.toLower();
    const QString list = params.GroupClsName.toLower();
    if (list == u"*"_s || list == lower) return true;
    if (!list.isEmpty()) {
        for (const QString& item : list.split(u','))
            if (item.trimmed() == lower) return true;
        return false;
    }
    return lower == u"organizationalunit"_s || lower == u"container"_s || lower == u"group"_s ||
           lower.startsWith(u"groupof"_s);
}

bool IsUserClass(const TLdapParams& params, const QString& cls) {
    const QString lower = cls.toLower();
    if (!params.UserClsName.isEmpty() && lower == params.UserClsName.toLower()) return true;
    return lower == u"user"_s || lower == u"inetorgperson"_s || lower == u"posixaccount"_s ||
           lower == u"organizationalrole"_s;
}

}  // namespace ov::control

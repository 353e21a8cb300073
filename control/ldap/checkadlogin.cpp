// The member CheckAdLogin: the directory login of the user running the page's browser.

#include "control/ldap/ldapobject.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "core/cipher.h"
#include "platform/sysinfo.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {

QString CheckAdLogin(TQuexFormX&, const QString& Params) {
    const QString user = platform::currentUserName();
    QString displayName, errorTxt;
    try {
        TLDAPObject directory;
        if (!directory.LoginValidate2(Params, user, displayName, errorTxt))
            return u"Error: search accountName failed"_s;
        return EncryptString(u"[UserName]"_s + user + u"[/UserName][UserAlias]"_s + displayName +
                                 u"[/UserAlias]"_s,
                             3);
    } catch (const std::exception& e) {
        const QString message = QString::fromUtf8(e.what());
        return errorTxt.isEmpty() ? u"Error:"_s + message
                                  : u"Error:"_s + errorTxt + u", "_s + message;
    }
}

}  // namespace ov::control::members

// "/user" (security levels), "/linkX" (client configuration) and "/modifypass" (password change),
// all asked for with the user's number.

#include "core/cipher.h"
#include "testing/docserver/codec/tagtext.h"
#include "testing/docserver/http/httpendpoints.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

// The user named by "userid"; none when unknown or disabled.
DocUser* numberedUser(HttpContext& c) {
    const auto id = c.number(u"userid"_s);
    if (!id) return nullptr;
    const auto found = c.model.users.find(std::int32_t(*id));
    return found != c.model.users.end() && !found->second.disabled && found->first == *id
               ? &found->second
               : nullptr;
}

HttpResponse userInfo(HttpContext& c) {
    if (c.param(u"opr"_s) != u"sc"_s) return HttpResponse::error(400);
    if (!numberedUser(c)) return HttpResponse::text(u"Invalid user"_s, 403);
    return HttpResponse::text(c.content.scInfos);
}

HttpResponse clientConfig(HttpContext& c) {
    if (c.param(u"opr"_s) != u"clientconfig"_s) return HttpResponse::error(400);
    if (!numberedUser(c)) return HttpResponse::text(u"Invalid user"_s, 403);
    return HttpResponse::text(c.content.clientConfig);
}

// The request is "[OldPs]old[/OldPs][NewPs]new[/NewPs]", enciphered (AES-256) with the user's
// number followed by the fixed key. Every answer but "ok" is shown to the user as it stands.
HttpResponse modifyPassword(HttpContext& c) {
    if (c.param(u"opr"_s) != u"clientmps"_s) return HttpResponse::error(400);
    DocUser* user = numberedUser(c);
    if (!user) return HttpResponse::text(u"Invalid user"_s);
    const QString key = QString::number(user->id) + FixedCipherKey();
    const QString request = DecryptStringByKey(c.param(u"ps"_s), key, 3);
    if (!request.contains(u"[OldPs]"_s, Qt::CaseInsensitive) ||
        !request.contains(u"[NewPs]"_s, Qt::CaseInsensitive))
        return HttpResponse::text(u"Invalid request"_s);
    const QString oldPassword = wire::tagValue(request, u"OldPs"_s, false);
    const QString newPassword = wire::tagValue(request, u"NewPs"_s, false);
    if (oldPassword != user->password)
        return HttpResponse::text(u"The original password is wrong."_s);
    if (newPassword.size() < 4 || newPassword.size() > 20)
        return HttpResponse::text(u"Password length must be between 4 and 20 characters!"_s);
    user->password = newPassword;
    return HttpResponse::text(u"ok"_s);
}

}  // namespace

void addAccountEndpoints(HttpEndpointTable& table) {
    table["/user"] = userInfo;
    table["/linkX"] = clientConfig;
    table["/modifypass"] = modifyPassword;
}

}  // namespace ov::test

// Login, messages, groups, server status and the desktop program's version.

#include "core/datetime.h"
#include "testing/docserver/commands_table.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

ControlReply Status(CommandContext&) {
    return Ok(QString());
}

ControlReply Login(CommandContext& c) {
    DocUser* user = c.model.userByLogin(c.tag(u"Name"_s));
    if (!user || user->password != ReadTagValue(c.text, u"PassWord"_s, false))
        return Reply(RS_Refused, u"Wrong user name or password"_s);
    if (user->disabled) return Reply(RS_Refused2, u"The user account is disabled."_s);
    user->lastLogin = Now();
    return Reply(RS_LoginOk, u"[UserName]"_s + user->displayName + u"[/UserName][UserId]"_s +
                                 user->token + u"[/UserId][UserId2]"_s + QString::number(user->id) +
                                 u"[/UserId2]"_s);
}

ControlReply UserMsg(CommandContext& c) {
    if (c.user->messages.isEmpty()) return Ok2(QString());
    const QString text = c.user->messages.join(u"\r\n"_s);
    c.user->messages.clear();
    return Ok(text);
}

ControlReply MsgSpace(CommandContext& c) {
    return Ok(u"[Space]"_s + QString::number(c.model.rules.msgSpace) + u"[/Space]"_s);
}

// One group per line: id, "*", name.
ControlReply Groups(CommandContext& c) {
    QStringList lines;
    for (const std::int32_t id : c.model.groupsOf(c.user->id))
        lines.append(QString::number(id) + u'*' + c.model.groups[id].name);
    return Ok(lines.join(u"\r\n"_s));
}

ControlReply ClientVer(CommandContext& c) {
    return Ok(c.model.rules.clientVersion);
}

ControlReply ClientFile(CommandContext& c) {
    ControlReply reply = Ok(QString());
    reply.payload = c.model.rules.clientFile;
    return reply;
}

}  // namespace

void AddIdentityCommands(CommandTable& t) {
    t[TT_GetServerStatus] = {false, nullptr, Status};
    t[TT_Login] = {false, nullptr, Login};
    t[TT_GetUserMsg] = {true, nullptr, UserMsg};
    t[TT_GetMsgSpace] = {false, nullptr, MsgSpace};
    t[TT_GetUserGroup] = {true, nullptr, Groups};
    t[TT_GetMyGroups] = {true, nullptr, Groups};
    t[TT_GetClientVer] = {false, nullptr, ClientVer};
    t[TT_GetClientFile] = {false, nullptr, ClientFile};
}

}  // namespace ov::test

// Login, messages, groups, server status and the desktop program's version.

#include "testing/docserver/codec/datetime.h"
#include "testing/docserver/control/commands_table.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

ControlReply Status(CommandContext&) {
    return Ok(QString());
}

ControlReply Login(CommandContext& c) {
    DocUser* user = c.model.userByLogin(c.tag(u"Name"_s));
    if (!user || user->password != c.rawTag(u"PassWord"_s))
        return Reply(wire::RS_Refused, u"Wrong user name or password"_s);
    if (user->disabled) return Reply(wire::RS_Refused2, u"The user account is disabled."_s);
    user->lastLogin = wire::nowLocal();
    return Reply(wire::RS_LoginOk, u"[UserName]"_s + user->displayName + u"[/UserName][UserId]"_s +
                                       user->token + u"[/UserId][UserId2]"_s +
                                       QString::number(user->id) + u"[/UserId2]"_s);
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
    t[wire::TT_GetServerStatus] = {false, nullptr, Status};
    t[wire::TT_Login] = {false, nullptr, Login};
    t[wire::TT_GetUserMsg] = {true, nullptr, UserMsg};
    t[wire::TT_GetMsgSpace] = {false, nullptr, MsgSpace};
    t[wire::TT_GetUserGroup] = {true, nullptr, Groups};
    t[wire::TT_GetMyGroups] = {true, nullptr, Groups};
    t[wire::TT_GetClientVer] = {false, nullptr, ClientVer};
    t[wire::TT_GetClientFile] = {false, nullptr, ClientFile};
}

}  // namespace ov::test

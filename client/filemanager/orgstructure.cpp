#include "client/filemanager/orgstructure.h"

#include <QDomDocument>

#include "client/filemanager/xmltext.h"
#include "core/datetime.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr TDateTime kOnlineSpan = 0.001388888888888892;  // two minutes
constexpr int kMaxDepth = 64;

std::int32_t intAttribute(const QDomElement& element, const QString& name) {
    bool ok = false;
    const std::int32_t value = element.attribute(name).trimmed().toInt(&ok);
    return ok ? value : -1;
}

}  // namespace

bool IsOnline(TDateTime now, TDateTime lastLogin) {
    return now - lastLogin < kOnlineSpan;
}

TOrgStructure::TOrgStructure() : PRootOrg(std::make_unique<THS_Org>()) {}

TOrgStructure::~TOrgStructure() = default;

TDateTime TOrgStructure::CurrentTime() const {
    return Clock ? Clock() : Now();
}

THS_Org* TOrgStructure::NewNode(std::int32_t id, const QString& name, THS_Org* father) {
    FNodes.push_back(std::make_unique<THS_Org>());
    THS_Org* node = FNodes.back().get();
    node->Id = id;
    node->Name = name;
    node->Father = father;
    return node;
}

void TOrgStructure::ParseOrgStructure(const QString& XMLTxt) {
    AOwnerRegInfo.clear();
    FNodes.clear();
    PRootOrg = std::make_unique<THS_Org>();
    QDomDocument doc;
    if (!LoadXmlText(doc, XMLTxt)) return;
    const QDomElement group = doc.documentElement().firstChildElement(u"GroupItem"_s);
    if (group.isNull()) return;
    PRootOrg->Name = group.attribute(u"Name"_s);
    PRootOrg->Id = group.attribute(u"Id"_s).toInt();
    ParseGroup(group, *PRootOrg, 0);
}

void TOrgStructure::ParseGroup(const QDomElement& group, THS_Org& node, int depth) {
    const QDomElement members = group.firstChildElement(u"Members"_s);
    for (QDomElement m = members.firstChildElement(); !m.isNull(); m = m.nextSiblingElement()) {
        const std::int32_t id = intAttribute(m, u"Id"_s);
        const bool known = std::any_of(node.Members.begin(), node.Members.end(),
                                       [id](const THS_Org* member) { return member->Id == id; });
        if (!known) node.Members.append(NewNode(id, m.attribute(u"Name"_s), &node));
        TOwnerRegInfo info;
        ReadMember(m, info);
        StoreMember(info);
    }
    if (depth >= kMaxDepth) return;
    const QDomElement childs = group.firstChildElement(u"Childs"_s);
    for (QDomElement c = childs.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        THS_Org* child = NewNode(c.attribute(u"Id"_s).toInt(), c.attribute(u"Name"_s), &node);
        node.Childs.append(child);
        ParseGroup(c, *child, depth + 1);
    }
}

void TOrgStructure::ReadMember(const QDomElement& member, TOwnerRegInfo& info) const {
    info.OwnerId = intAttribute(member, u"Id"_s);
    info.DisplayName = member.attribute(u"Name"_s);
    info.Email = member.attribute(u"Email"_s);
    info.CoreId = member.attribute(u"CoreId"_s);
    info.BindingIp = member.attribute(u"BindingIp"_s);
    const TDateTime now = CurrentTime();
    info.LasterLoginTm = TextToDateTimeDef(member.attribute(u"LasterLoginTm"_s), now - 1);
    info.OnLine = IsOnline(now - FTime_Deff, info.LasterLoginTm);
    info.StChanged = false;
}

void TOrgStructure::StoreMember(const TOwnerRegInfo& info) {
    for (TOwnerRegInfo& known : AOwnerRegInfo)
        if (known.OwnerId == info.OwnerId) {
            const bool wasOnline = known.OnLine;
            known = info;
            known.StChanged = info.OnLine && !wasOnline;
            return;
        }
    AOwnerRegInfo.append(info);
}

TOwnerRegInfo TOrgStructure::GetUsrInfo(std::int32_t Id) const {
    for (const TOwnerRegInfo& info : AOwnerRegInfo)
        if (info.OwnerId == Id) return info;
    TOwnerRegInfo none;
    none.OwnerId = -1;
    return none;
}

void TOrgStructure::ResetUserStatus(const QString& XMLTxt) {
    QDomDocument doc;
    if (!LoadXmlText(doc, XMLTxt)) return;
    const QDomElement root = doc.documentElement();
    for (QDomElement m = root.firstChildElement(); !m.isNull(); m = m.nextSiblingElement()) {
        TOwnerRegInfo info;
        ReadMember(m, info);
        StoreMember(info);
    }
}

TOwnerRegInfoArray TOrgStructure::ChangedUsers() const {
    for (const TOwnerRegInfo& info : AOwnerRegInfo)
        if (info.StChanged) return {info};
    return {};
}

}  // namespace ov

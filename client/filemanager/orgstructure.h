#pragma once
// The organisation as the server describes it: groups with their sub-groups and members, and
// one registration record per member with its online state. Rebuilt from the organisation XML.

#include <QString>
#include <QVector>
#include <memory>

#include "core/types.h"

class QDomElement;

namespace ov {

class TOrgStructure {
public:
    TOrgStructure();
    ~TOrgStructure();
    TOrgStructure(const TOrgStructure&) = delete;
    TOrgStructure& operator=(const TOrgStructure&) = delete;

    // Rebuilds the model; malformed XML leaves what was built so far, without a message.
    void ParseOrgStructure(const QString& XMLTxt);
    // The record of a member; OwnerId -1 when there is none.
    TOwnerRegInfo GetUsrInfo(std::int32_t Id) const;
    bool InMyGroup(std::int32_t Id) const { return FGroups.contains(Id); }
    // A status refresh: every child of the document element is read as a member and stored.
    void ResetUserStatus(const QString& XMLTxt);
    // The first stored member that has just come online, or none.
    TOwnerRegInfoArray ChangedUsers() const;

    THS_Org* Root() const { return PRootOrg.get(); }
    const TOwnerRegInfoArray& OwnerRegInfo() const { return AOwnerRegInfo; }
    QVector<std::int32_t>& Groups() { return FGroups; }
    // The server's clock minus this computer's, in days.
    TDateTime Time_Deff() const { return FTime_Deff; }
    void SetTime_Deff(TDateTime value) { FTime_Deff = value; }
    // The clock of the online test (tests put a fixed one in place).
    TDateTime (*Clock)() = nullptr;

private:
    struct NodeOwner;
    void ParseGroup(const QDomElement& group, THS_Org& node, int depth);
    void ReadMember(const QDomElement& member, TOwnerRegInfo& info) const;
    void StoreMember(const TOwnerRegInfo& info);
    THS_Org* NewNode(std::int32_t id, const QString& name, THS_Org* father);
    TDateTime CurrentTime() const;

    std::unique_ptr<THS_Org> PRootOrg;
    std::vector<std::unique_ptr<THS_Org>> FNodes;  // every node below the root
    TOwnerRegInfoArray AOwnerRegInfo;
    QVector<std::int32_t> FGroups;
    TDateTime FTime_Deff = 0;
};

// Whether a member counts as online: its last login lies less than two minutes before now
// (now already corrected by the clock difference).
bool IsOnline(TDateTime now, TDateTime lastLogin);

}  // namespace ov

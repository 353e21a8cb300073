// The local computer as the page may see it: the hosts file, processes, network adapters, the
// user's name and a file's modification time.

#include "control/members/hostsfile.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/ovcom/errorinfo.h"
#include "core/cipher.h"
#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/macaddress.h"
#include "platform/processes.h"
#include "platform/sysinfo.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {

QString GetMapHost(TQuexFormX&, const QString& Ip) {
    return HostsNameOf(Ip.trimmed());
}

QString GetMapHostIp(TQuexFormX&, const QString& Host) {
    return HostsAddressOf(Host.trimmed());
}

std::int8_t SetMapHost(TQuexFormX&, const QString& Ip, const QString& Host) {
    if (!HostsFieldIsValid(Ip) || !HostsFieldIsValid(Host))
        throw ovcom::OleError(ovcom::E_INVALIDARG, u"Invalid address or host name."_s);
    if (!HostsMap(Ip, Host))
        throw ovcom::OleError(ovcom::E_FAIL, u"Cannot write "_s + HostsFilePath());
    return 1;
}

void TaskKill(TQuexFormX&, const QString& ExeName) {
    if (!ExeName.trimmed().isEmpty()) platform::endProgram(ExeName.trimmed());
}

QString GetMacs(TQuexFormX&) {
    return GetIPAndMacList();
}

QString GetEncryptedMacs(TQuexFormX&) {
    return EncryptString(GetIPAndMacList(), 3);
}

QString GetCurrentUserName(TQuexFormX&) {
    return platform::currentUserName();
}

QString GetFileModifyTime(TQuexFormX&, const QString& FilePaht) {
    return DateTimeToText(TFileOperator().GetFileModifyTime(FilePaht));
}

}  // namespace ov::control::members

// The local computer as the page may see it: the hosts file, processes, network adapters, the
// user's name, the program in the foreground, a file's modification time and the copy dialog.

#include <QLineEdit>

#include "control/members/filescopyfrm.h"
#include "control/members/hostsfile.h"
#include "control/members/members.h"
#include "control/members/messages.h"
#include "control/object/quexformx.h"
#include "control/ovcom/errorinfo.h"
#include "core/cipher.h"
#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/macaddress.h"
#include "platform/processes.h"
#include "platform/sysinfo.h"
#include "platform/widgets/activewindow.h"

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

QString ModuleFileName(TQuexFormX&) {
    return platform::activeWindowProgram();
}

void FilesCopy(TQuexFormX& self, const QString& SrcPath, const QString& DestPath) {
    TFilesCopyFrm dialog(&self);
    dialog.edtSrc->setText(SrcPath);
    dialog.edtDest->setText(DestPath);
    dialog.exec();
}

QString GetFileModifyTime(TQuexFormX&, const QString& FilePaht) {
    return DateTimeToText(TFileOperator().GetFileModifyTime(FilePaht));
}

// No messenger runs here, so its conversation window is never found: the page hears so.
QString RTXMsg(TQuexFormX& self, const QString&, const QString&) {
    static constexpr ControlText kNoConversation{u"RTX 会话窗口没找到", u"Cannot find RTX Dialog"};
    ShowControlMessage(self, ControlMessage(self, kNoConversation));
    return {};
}

}  // namespace ov::control::members

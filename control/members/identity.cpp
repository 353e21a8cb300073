// The document server's address and the user's identity that the page hands to the control,
// kept in the settings shared with OvClient and, enciphered, in the user's shared memory.

#include <QClipboard>
#include <QGuiApplication>
#include <memory>

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "core/cipher.h"
#include "core/globalconfig.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "platform/sharedmemory.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr qsizetype kClientInfoSize = 2048;
const QString kClientInfoName = u"OvClientInfoEncryptMapping"_s;
const QString kDocCmdKey = u"qv7351_mxzt"_s;

// The process's shared memory: created by the first identity, kept while the process runs
// and removed at its end (as the system removes a mapping whose last handle closes).
struct ClientInfoMapping {
    std::unique_ptr<platform::SharedMemory> memory;
    ~ClientInfoMapping() {
        if (memory) memory->unlink();
    }
};

ClientInfoMapping& Mapping() {
    static ClientInfoMapping mapping;
    return mapping;
}

// Zero-fills the memory and writes the text as UTF-16LE; a text longer than the memory
// leaves it zero-filled rather than cut.
void WriteClientInfoMapping(const QString& text) {
    ClientInfoMapping& mapping = Mapping();
    if (!mapping.memory)
        mapping.memory = platform::SharedMemory::create(kClientInfoName, kClientInfoSize);
    if (!mapping.memory) return;
    QByteArray bytes(text.size() * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        bytes[2 * i] = static_cast<char>(unit & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(unit >> 8);
    }
    mapping.memory->write(bytes);
}

QString Tagged(const QString& tag, const QString& value) {
    return u"["_s + tag + u"]"_s + value + u"[/"_s + tag + u"]"_s;
}

QString IdentityText(const TQuexFormX& self, int userId, const QString& encryptId,
                     const QString& userName) {
    const bool ssl = GlobalConfig()->IsSSL();
    return Tagged(u"UserId"_s, QString::number(userId)) + Tagged(u"EncryptId"_s, encryptId) +
           Tagged(u"UserName"_s, userName) + Tagged(u"Host"_s, self.FServerHost) +
           Tagged(u"IsSSL"_s, ssl ? u"-1"_s : u"0"_s) +
           Tagged(u"Port"_s, QString::number(self.FServerPort));
}

}  // namespace

// For tests and tools: the shared memory's object name.
QString ClientInfoObjectName() {
    return platform::SharedMemory::objectName(kClientInfoName);
}

namespace members {

QString get_ServerIp(TQuexFormX& self) {
    return self.FServerHost + u'#' + QString::number(self.FServerPort);
}

void put_ServerIp(TQuexFormX& self, const QString& Value) {
    const QStringList items = SplitByString(Value, u"#"_s);
    if (items.size() < 2) return;
    const bool tls = items.size() == 3 && items[2] == u"1"_s;
    bool isNumber = false;
    int port = items[1].toInt(&isNumber);
    if (!isNumber) port = tls ? 443 : 80;
    // The TLS libraries are the system's: nothing to unpack.
    const auto config = GlobalConfig();
    if (items[0] == self.FServerHost && port == self.FServerPort && tls == config->IsSSL()) return;
    config->SetServerHost(items[0]);
    self.FServerHost = config->ServerHost();
    config->SetServerPort(port);
    self.FServerPort = config->ServerPort();
    config->SetIsSSL(tls);
    config->Save();
}

QString get_DocCommand(TQuexFormX& self) {
    return self.FDocCmd;
}

void put_DocCommand(TQuexFormX& self, const QString& Value) {
    const QString zoneMap = ReadTagValue(Value, u"ZoneMap"_s).trimmed();
    if (!zoneMap.isEmpty()) {
        QGuiApplication::clipboard()->setText(zoneMap);
        return;
    }
    self.FDocCmd += u',' + DecryptStringByKey(Value, kDocCmdKey, 3);
}

void SaveUserInfo(TQuexFormX&, std::int32_t UsrId, const QString& UsrId2, const QString& UsrName) {
    const auto config = GlobalConfig();
    config->SetUserId(UsrId);
    config->SetEncryptUserID(UsrId2);
    config->SetUserName(UsrName);
    config->SetStartStyle(SS_ACTIVTX);
    config->Save();
}

void SaveUsrInfo2(TQuexFormX& self, const QString& InfoStr) {
    const QString text = DecryptString(InfoStr, 1);
    const int userId = TextToIntDef0(ReadTagValue(text, u"UserId2"_s));
    const QString encryptId = ReadTagValue(text, u"UserId"_s);
    const QString userName = ReadTagValue(text, u"UserName"_s);
    const auto config = GlobalConfig();
    config->SetUserId(userId);
    config->SetEncryptUserID(encryptId);
    config->SetUserName(userName);
    config->SetStartStyle(SS_ACTIVTX);
    try {
        WriteClientInfoMapping(EncryptString(IdentityText(self, userId, encryptId, userName), 1));
    } catch (...) {
        // the shared memory is a courtesy to other programs; the identity is kept regardless
    }
    if (!Mapping().memory) config->Save();
}

}  // namespace members

}  // namespace ov::control

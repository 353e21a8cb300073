// Keeping OvClient and the control current: OvClient replaced by the server's copy when the
// server offers a higher version, and the control's updater fetched and started.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <memory>

#include "control/members/members.h"
#include "control/members/messages.h"
#include "control/members/update.h"
#include "control/object/quexformx.h"
#include "core/clientprogram.h"
#include "core/fileversion.h"
#include "core/globalconfig.h"
#include "core/httpclient.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr int kUpdaterReadTimeoutMs = 3000;

// The ELF machine of this build.
#if defined(Q_PROCESSOR_X86_64)
constexpr quint16 kThisMachine = 62;
#elif defined(Q_PROCESSOR_ARM_64)
constexpr quint16 kThisMachine = 183;
#else
constexpr quint16 kThisMachine = 0;
#endif

std::unique_ptr<TRobotTcpClient> NewClient(const TQuexFormX& self) {
    auto client = std::make_unique<TRobotTcpClient>(GlobalConfig()->IsSSL());
    client->SetHost(self.FServerHost);
    client->SetPort(static_cast<quint16>(self.FServerPort));
    client->SetMessageLanguage(self.FLanguage);
    return client;
}

bool DownloadClient(TQuexFormX& self, TRobotTcpClient& client) {
    const QBuffer* stream = client.Tcp_GetStream(TT_GetClientFile, 0, 0);  // the client's own
    if (!stream || stream->size() == 0) {
        ShowControlError(self, ControlMessage(self, kNoClientFromServer));
        return false;
    }
    if (!ReplaceProgram(self.FClientFileName, stream->data())) {
        ShowControlError(self, ControlMessage(self, kInstallClientFailed, self.FClientFileName));
        return false;
    }
    if (RegisterClientProtocol(self.FClientFileName)) return true;
    ShowControlError(self, ControlMessage(self, kRegisterClientFailed));
    return false;
}

}  // namespace

std::optional<std::array<int, 4>> ParseVersion(const QString& text) {
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() != 4) return std::nullopt;
    std::array<int, 4> version{};
    for (std::size_t i = 0; i < version.size(); ++i) {
        bool ok = false;
        const QString& part = parts[static_cast<qsizetype>(i)];
        version[i] = part.toInt(&ok);
        if (!ok || part.isEmpty() || !part.at(0).isDigit() || version[i] < 0) return std::nullopt;
    }
    return version;
}

bool IsHigherVersion(const QString& server, const QString& local) {
    const auto offered = ParseVersion(server);
    if (!offered) return false;
    const auto installed = ParseVersion(local);
    return !installed || *offered > *installed;
}

bool IsElfProgram(const QByteArray& bytes) {
    // An ELF header of this machine's class, byte order and machine, an executable or
    // position-independent program, and a file that holds the whole section header table it names.
    constexpr int kHeaderSize = 64;
    if (bytes.size() < kHeaderSize || !bytes.startsWith("\x7F"
                                                        "ELF"))
        return false;
    const bool is64 = bytes[4] == 2;
    if (!is64 || bytes[5] != 1) return false;  // 64-bit, little-endian
    auto u16 = [&](int at) { return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
    auto u64 = [&](int at) {
        quint64 value = 0;
        for (int i = 7; i >= 0; --i)
            value = value << 8 | quint8(bytes[at + i]);
        return value;
    };
    const quint16 type = u16(16);
    if (type != 2 && type != 3) return false;  // ET_EXEC, ET_DYN
    if (u16(18) != kThisMachine) return false;
    const quint64 sectionTable = u64(40);
    const quint64 sectionEnd = sectionTable + quint64(u16(58)) * u16(60);
    const quint64 programEnd = u64(32) + quint64(u16(54)) * u16(56);
    return sectionEnd <= quint64(bytes.size()) && programEnd <= quint64(bytes.size());
}

bool ReplaceProgram(const QString& target, const QByteArray& bytes) {
    if (!IsElfProgram(bytes)) return false;
    QSaveFile file(target);  // written beside the target and renamed over it
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                        QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                        QFileDevice::ExeOther);
    return file.commit();
}

namespace members {

void VerUpdate(TQuexFormX& self) {
    const QString local = GetFileVersionText(self.FClientFileName, u"%d.%d.%d.%d"_s);
    const auto client = NewClient(self);
    const QString server = client->Tcp_GetText(TT_GetClientVer, 0, 0);
    if (IsHigherVersion(server, local)) DownloadClient(self, *client);
}

ovcom::VARIANT_BOOL OcxUpdate(TQuexFormX& self) {
    const QString updater = self.FModulePath + u"OvCtrlUpdate"_s;
    TSSLHttp http(GlobalConfig()->IsSSL());
    http.setReadTimeout(kUpdaterReadTimeoutMs);
    http.setLanguage(self.FLanguage);
    QByteArray body;
    try {
        body = http.GetBytes(GlobalConfig()->ServerUrl() + u"/helper/OvCtrlUpdate.exe"_s);
    } catch (const std::exception& e) {
        ShowControlError(self,
                         ControlMessage(self, kUpdaterDownloadFailed, QString::fromUtf8(e.what())));
        return ovcom::VARIANT_FALSE;
    }
    // Only a complete program is installed and started.
    if (!IsElfProgram(body)) {
        ShowControlError(
            self, ControlMessage(self, kUpdaterDownloadFailed, ControlMessage(self, kNotAProgram)));
        return ovcom::VARIANT_FALSE;
    }
    if (!ReplaceProgram(updater, body))
        throw ovcom::OleError(ovcom::E_FAIL, u"Cannot write "_s + updater);
    return ovcom::toVariantBool(QProcess::startDetached(updater, {}));
}

}  // namespace members

}  // namespace ov::control

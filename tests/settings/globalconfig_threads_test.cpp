// Worker threads read the shared settings while another thread changes, saves and replaces
// them. Run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "core/globalconfig.h"
#include "settingsfixture.h"

using namespace ov;
using ov::test::SettingsTest;

namespace {

bool isHost(const QString& host) {
    return host.isEmpty() || host.startsWith(QStringLiteral("host-"));
}

// Reads what the batch workers read until told to stop; counts inconsistent results.
void readUntilStopped(const std::atomic<bool>& stop, std::atomic<int>& bad, const QString& path) {
    while (!stop.load()) {
        const auto config = GlobalConfig();
        const QString url = config->ServerUrl();
        const bool ok = isHost(config->ServerHost()) && config->ServerPort() >= 8000 &&
                        config->ConfigPath() == path && config->SysLanguage() != HSL_NONE &&
                        (config->EncryptUserID().isEmpty() ||
                         config->EncryptUserID().startsWith(QStringLiteral("token-"))) &&
                        url.startsWith(QStringLiteral("http")) && url.contains(u':');
        config->IsSSL();
        if (!ok) ++bad;
    }
}

}  // namespace

TEST_F(SettingsTest, ConcurrentReadersWhileWritingSavingAndReplacing) {
    FreeGlobalConfig();
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 4; ++i)
        readers.emplace_back(readUntilStopped, std::cref(stop), std::ref(bad), configPath);
    for (int round = 0; round < 60; ++round) {
        const auto config = GlobalConfig();
        config->SetServerHost(QStringLiteral("host-%1").arg(round));
        config->SetServerPort(8000 + round);
        config->SetIsSSL(round % 2 == 0);
        config->SetEncryptUserID(QStringLiteral("token-%1").arg(round));
        config->SetSysLanguage(round % 2 ? HSL_ENG : HSL_CN);
        config->Save();
        if (round % 10 == 9) RenewGlobalConfig();
    }
    stop = true;
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(bad.load(), 0);
    // The last object saved everything; a fresh one reads it back.
    const auto last = RenewGlobalConfig();
    EXPECT_EQ(last->ServerHost(), QStringLiteral("host-59"));
    EXPECT_EQ(last->ServerPort(), 8059);
    EXPECT_EQ(last->EncryptUserID(), QStringLiteral("token-59"));
    EXPECT_EQ(last->SysLanguage(), HSL_ENG);
    FreeGlobalConfig();
}

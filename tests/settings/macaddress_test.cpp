#include "core/macaddress.h"

#include <gtest/gtest.h>

#include "platform/adapters.h"

using namespace ov;
using platform::AdapterList;

namespace {

struct AdapterScope {
    explicit AdapterScope(std::optional<AdapterList> list) {
        platform::setAdapterSource([list] { return list; });
    }
    ~AdapterScope() { platform::setAdapterSource({}); }
};

const QByteArray kMacA("\x00\x1A\x2B\x3C\x4D\x5E", 6);
const QByteArray kMacB("\xF0\x0D\xBE\xEF\x00\x01", 6);

}  // namespace

TEST(MacAddress, MacToText) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(kMacA.constData());
    EXPECT_EQ(MacToText(bytes, 6), QStringLiteral("00-1A-2B-3C-4D-5E"));
    EXPECT_EQ(MacToText(bytes, 1), QStringLiteral("00"));
    EXPECT_EQ(MacToText(bytes, 0), QString());
}

TEST(MacAddress, ListsOneEntryPerAddressAndSkipsZeroAddresses) {
    AdapterScope scope(AdapterList{
        {kMacA, {QStringLiteral("192.168.1.10"), QStringLiteral("10.0.0.2")}},
        {kMacB, {QStringLiteral("0.0.0.0")}},  // no address: not listed
        {kMacB, {}},
        {kMacB, {QStringLiteral("172.16.0.1")}},
    });
    EXPECT_EQ(GetMacList(),
              QStringLiteral("00-1A-2B-3C-4D-5E;00-1A-2B-3C-4D-5E;F0-0D-BE-EF-00-01;"));
    EXPECT_EQ(GetIPAndMacList(),
              QStringLiteral("192.168.1.10  00-1A-2B-3C-4D-5E;10.0.0.2  00-1A-2B-3C-4D-5E;"
                             "172.16.0.1  F0-0D-BE-EF-00-01;"));
}

TEST(MacAddress, UnreadableListGivesEmptyTexts) {
    AdapterScope scope(std::nullopt);
    EXPECT_EQ(GetMacList(), QString());
    EXPECT_EQ(GetIPAndMacList(), QString());
}

TEST(MacAddress, ManyAdaptersAreAllListed) {
    AdapterList many;
    for (int i = 0; i < 40; ++i)
        many.append({kMacA, {QStringLiteral("10.0.0.%1").arg(i + 1)}});
    AdapterScope scope(many);
    EXPECT_EQ(GetMacList().size(), 40 * 18);
}

TEST(MacAddress, SystemListLeavesLoopbackOut) {
    const auto adapters = platform::networkAdapters();
    ASSERT_TRUE(adapters.has_value());
    for (const auto& adapter : *adapters)
        EXPECT_FALSE(adapter.ipv4Addresses.contains(QStringLiteral("127.0.0.1")));
}

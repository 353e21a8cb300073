#include "core/macaddress.h"

#include <QStringList>

#include "platform/adapters.h"

namespace ov {
namespace {

constexpr qsizetype kMaxAddressText = 15;  // "255.255.255.255"

QString physicalText(const platform::NetworkAdapter& adapter) {
    return MacToText(reinterpret_cast<const unsigned char*>(adapter.physicalAddress.constData()),
                     static_cast<int>(adapter.physicalAddress.size()));
}

// Calls `add` for every address entry that counts (not "0.x.x.x").
template <typename Add>
void forEachEntry(Add add) {
    const auto adapters = platform::networkAdapters();
    if (!adapters) return;
    for (const auto& adapter : *adapters)
        for (const QString& address : adapter.ipv4Addresses)
            if (!address.startsWith(QStringLiteral("0."))) add(adapter, address);
}

}  // namespace

QString MacToText(const unsigned char* address, int length) {
    QStringList pairs;
    for (int i = 0; i < length; ++i)
        pairs.append(QStringLiteral("%1").arg(address[i], 2, 16, QLatin1Char('0')).toUpper());
    return pairs.join(QLatin1Char('-'));
}

QString GetMacList() {
    QString text;
    forEachEntry([&](const platform::NetworkAdapter& adapter, const QString&) {
        text += physicalText(adapter) + QLatin1Char(';');
    });
    return text;
}

QString GetIPAndMacList() {
    QString text;
    forEachEntry([&](const platform::NetworkAdapter& adapter, const QString& address) {
        text += address.left(kMaxAddressText) + QStringLiteral("  ") + physicalText(adapter) +
                QLatin1Char(';');
    });
    return text;
}

}  // namespace ov

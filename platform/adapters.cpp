#include "platform/adapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstring>
#include <memory>
#include <mutex>

namespace ov::platform {
namespace {

std::mutex g_sourceLock;
AdapterSource g_source;

using IfAddrs = std::unique_ptr<ifaddrs, decltype(&freeifaddrs)>;

struct NamedAdapter {
    QByteArray name;
    NetworkAdapter adapter;
};

NetworkAdapter& adapterNamed(QVector<NamedAdapter>& list, const char* name) {
    for (auto& entry : list)
        if (entry.name == name) return entry.adapter;
    list.append({QByteArray(name), {}});
    return list.last().adapter;
}

void addEntry(QVector<NamedAdapter>& list, const ifaddrs& entry) {
    NetworkAdapter& adapter = adapterNamed(list, entry.ifa_name);
    if (!entry.ifa_addr) return;
    if (entry.ifa_addr->sa_family == AF_PACKET) {
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(entry.ifa_addr);
        const int len = std::min<int>(ll->sll_halen, sizeof ll->sll_addr);
        adapter.physicalAddress = QByteArray(reinterpret_cast<const char*>(ll->sll_addr), len);
    } else if (entry.ifa_addr->sa_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(entry.ifa_addr);
        char text[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
            adapter.ipv4Addresses.append(QString::fromLatin1(text));
    }
}

// getifaddrs lists the link entries of every interface first (in interface order), then their
// IPv4 and IPv6 entries; an adapter's place is that of its first entry.
std::optional<AdapterList> systemAdapters() {
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0) return std::nullopt;
    IfAddrs all(raw, &freeifaddrs);
    QVector<NamedAdapter> named;
    for (const ifaddrs* entry = raw; entry; entry = entry->ifa_next)
        if (entry->ifa_name && !(entry->ifa_flags & IFF_LOOPBACK)) addEntry(named, *entry);
    AdapterList list;
    for (const auto& entry : named)
        list.append(entry.adapter);
    return list;
}

}  // namespace

std::optional<AdapterList> networkAdapters() {
    AdapterSource source;
    {
        std::lock_guard lock(g_sourceLock);
        source = g_source;
    }
    return source ? source() : systemAdapters();
}

void setAdapterSource(AdapterSource source) {
    std::lock_guard lock(g_sourceLock);
    g_source = std::move(source);
}

}  // namespace ov::platform

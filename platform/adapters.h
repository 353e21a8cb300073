#pragma once
// The computer's network adapters, in the system's order, with their physical addresses and
// their IPv4 address entries. Loopback adapters are left out. Tests put a list of their own in
// place of the system's.

#include <QByteArray>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace ov::platform {

struct NetworkAdapter {
    QByteArray physicalAddress;  // raw bytes (six for Ethernet); empty when the adapter has none
    QStringList ipv4Addresses;   // dotted texts, in the system's order
};

using AdapterList = QVector<NetworkAdapter>;
// Gives the list, or std::nullopt when it cannot be read.
using AdapterSource = std::function<std::optional<AdapterList>()>;

// The adapter list (from the system unless a source was set); nullopt when it cannot be read.
std::optional<AdapterList> networkAdapters();

// Replaces the system's list for the rest of the process; an empty function restores it.
void setAdapterSource(AdapterSource source);

}  // namespace ov::platform

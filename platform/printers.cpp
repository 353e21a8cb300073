#include "platform/printers.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

bool containsAny(const QString& text, const QStringList& words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const QString& w) { return text.contains(w); });
}

}  // namespace

bool isIpAddressText(const QString& text) {
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4) return false;
    bool anyNonZero = false;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3) return false;
        if (!std::all_of(part.begin(), part.end(), [](QChar c) { return c.isDigit(); }))
            return false;
        const int value = part.toInt();
        if (value > 255) return false;
        anyNonZero = anyNonZero || value != 0;
    }
    return anyNonZero;
}

bool isVirtualPrinter(const PrinterInfo& printer) {
    static const QStringList physical = {u"COM"_s,      u"USB"_s,    u"LPT"_s,    u"WSD"_s,
                                         u"PARALLEL"_s, u"SERIAL"_s, u"SOCKET"_s, u"IPP"_s,
                                         u"LPD"_s,      u"SMB"_s,    u"DNSSD"_s,  u"HTTP"_s};
    static const QStringList virtualPorts = {u"PORTPROMPT"_s, u"PDF"_s, u"NUL"_s, u"FILE"_s,
                                             u"XPS"_s};
    static const QStringList virtualDrivers = {u"PDF"_s, u"XPS"_s};
    const QString port = printer.port.trimmed().toUpper();
    const QString driver = printer.driver.toUpper();
    if (containsAny(port, physical)) return false;
    if (isIpAddressText(port)) return false;
    return containsAny(driver, virtualDrivers) || containsAny(port, virtualPorts);
}

PrinterInfo defaultPrinter(const PrinterSource& source) {
    for (const PrinterInfo& p : source.printers())
        if (p.isDefault) return p;
    return {};
}

bool hasVirtualPrinter(const PrinterSource& source) {
    const auto list = source.printers();
    return std::any_of(list.begin(), list.end(), isVirtualPrinter);
}

bool isDefaultPrinterVirtual(const PrinterSource& source) {
    const PrinterInfo printer = defaultPrinter(source);
    return !printer.name.isEmpty() && isVirtualPrinter(printer);
}

}  // namespace ov::platform

// The printer list from CUPS: name, device URI, make and model, and the default mark.

#include <cups/cups.h>

#include "platform/widgets/systemprinters.h"

namespace ov::platform {

namespace {

QString option(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value ? QString::fromUtf8(value) : QString();
}

PrinterInfo fromDest(const cups_dest_t& dest) {
    PrinterInfo info;
    info.name = QString::fromUtf8(dest.name);
    if (dest.instance) info.name += u'/' + QString::fromUtf8(dest.instance);
    info.port = option(dest, "device-uri");
    info.driver = option(dest, "printer-make-and-model");
    info.isDefault = dest.is_default != 0;
    return info;
}

}  // namespace

std::vector<PrinterInfo> CupsPrinterSource::printers() const {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<PrinterInfo> list;
    list.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; ++i)
        list.push_back(fromDest(dests[i]));
    cupsFreeDests(count, dests);
    return list;
}

namespace {

std::unique_ptr<PrinterSource>& replacedSource() {
    static std::unique_ptr<PrinterSource> source;
    return source;
}

}  // namespace

const PrinterSource& printerSource() {
    static const CupsPrinterSource cups;
    const auto& replaced = replacedSource();
    if (replaced) return *replaced;
    return cups;
}

void setPrinterSource(std::unique_ptr<PrinterSource> source) {
    replacedSource() = std::move(source);
}

}  // namespace ov::platform

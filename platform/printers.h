#pragma once
// The installed printers and the rule that tells a virtual printer (one that writes a file,
// such as a PDF or XPS writer, CUPS-PDF or "print to file") from one that puts paper out.
// A read-only document must not reach a virtual printer, since that would hand out a copy.

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace ov::platform {

struct PrinterInfo {
    QString name;
    // Where the printer sends its output: the CUPS device URI ("usb://...", "socket://10.0.0.5",
    // "cups-pdf:/", "file:///dev/null") or a port name ("LPT1:", "FILE:", "192.168.1.20").
    QString port;
    // The driver: make and model ("Generic CUPS-PDF Printer", "HP LaserJet 4250 Postscript").
    QString driver;
    bool isDefault = false;
};

// Whether the text is an IPv4 address: digits and dots only, exactly three dots, every part at
// most 255, and not 0.0.0.0.
bool isIpAddressText(const QString& text);

// The virtual-printer rule. With port and driver compared without regard to case, a printer is
// virtual when all of these hold:
//  1. its port names no physical connection: none of "COM", "USB", "LPT", "WSD", "PARALLEL",
//     "SERIAL", "SOCKET", "IPP", "LPD", "SMB", "DNSSD", "HTTP" occurs in it;
//  2. the port is not an IPv4 address;
//  3. the driver contains "PDF" or "XPS", or the port contains "PORTPROMPT", "PDF", "NUL",
//     "FILE" or "XPS" (a file, a PDF writer, the null device).
// The printer's name plays no part: anyone can name a queue.
bool isVirtualPrinter(const PrinterInfo& printer);

// Where the list of printers comes from: CUPS on this system (platform/widgets/systemprinters.h),
// a fixed list in tests.
class PrinterSource {
public:
    virtual ~PrinterSource() = default;
    // Every installed printer in the system's order; at most one is marked as default.
    virtual std::vector<PrinterInfo> printers() const = 0;
};

// A fixed list, for tests.
class FixedPrinterSource : public PrinterSource {
public:
    explicit FixedPrinterSource(std::vector<PrinterInfo> list) : m_list(std::move(list)) {}
    std::vector<PrinterInfo> printers() const override { return m_list; }

private:
    std::vector<PrinterInfo> m_list;
};

// The default printer; an empty name when there is none.
PrinterInfo defaultPrinter(const PrinterSource& source);
// Any installed printer is virtual (stops at the first).
bool hasVirtualPrinter(const PrinterSource& source);
// The default printer is virtual; false when there is no default printer.
bool isDefaultPrinterVirtual(const PrinterSource& source);

}  // namespace ov::platform

#include <gtest/gtest.h>

#include "platform/printers.h"

using namespace Qt::StringLiterals;
using ov::platform::FixedPrinterSource;
using ov::platform::PrinterInfo;

namespace {

struct PrinterCase {
    const char* port;
    const char* driver;
    bool isVirtual;
};

class VirtualPrinterRule : public testing::TestWithParam<PrinterCase> {};

TEST_P(VirtualPrinterRule, DecidesFromPortAndDriver) {
    const PrinterCase& c = GetParam();
    const PrinterInfo printer{u"any name"_s, QString::fromUtf8(c.port),
                              QString::fromUtf8(c.driver)};
    EXPECT_EQ(ov::platform::isVirtualPrinter(printer), c.isVirtual) << c.port << " | " << c.driver;
}

INSTANTIATE_TEST_SUITE_P(
    Table, VirtualPrinterRule,
    testing::Values(
        // ports of the other system's spooler
        PrinterCase{"192.168.1.20", "Microsoft Print To PDF", false},  // IPv4 port wins
        PrinterCase{"PORTPROMPT:", "Generic Text", true},
        PrinterCase{"FILE:", "Microsoft XPS Document Writer", true},
        PrinterCase{"LPT1:", "Adobe PDF Converter", false},
        PrinterCase{"WSD-1234", "Some PDF driver", false},
        PrinterCase{"USB001", "Microsoft Print To PDF", false},
        PrinterCase{"Ne00:", "Microsoft Print To PDF", true},
        PrinterCase{"nul:", "HP LaserJet", true},
        PrinterCase{"0.0.0.0", "PDF", true},  // not an address: the driver decides
        PrinterCase{"IP_10.0.0.7", "HP LaserJet 4250", false},
        // CUPS device URIs
        PrinterCase{"cups-pdf:/", "Generic CUPS-PDF Printer", true},
        PrinterCase{"file:///dev/null", "Local Raw Printer", true},
        PrinterCase{"file:///home/u/out.ps", "Generic PostScript Printer", true},
        PrinterCase{"usb://HP/LaserJet%20M404?serial=X", "HP LaserJet M404 PDF", false},
        PrinterCase{"socket://10.0.0.5:9100", "Generic PDF Printer", false},
        PrinterCase{"ipp://printer.local/ipp/print", "Brother HL-L2350DW, driverless", false},
        PrinterCase{"lpd://10.0.0.5/queue", "Canon iR", false},
        PrinterCase{"dnssd://Office._ipp._tcp.local/", "PDF capable printer", false},
        PrinterCase{"hp:/net/HP_LaserJet?ip=10.0.0.9", "HP LaserJet Pro", false},
        PrinterCase{"", "", false}));

TEST(VirtualPrinterRule, IpAddressText) {
    EXPECT_TRUE(ov::platform::isIpAddressText(u"192.168.1.20"_s));
    EXPECT_TRUE(ov::platform::isIpAddressText(u"10.0.0.0"_s));
    for (const QString& text : {u"0.0.0.0"_s, u"256.1.1.1"_s, u"1.2.3"_s, u"1.2.3.4.5"_s,
                                u"1..2.3"_s, u"1.2.3.a"_s, u"1.2.3.4:9100"_s, u""_s})
        EXPECT_FALSE(ov::platform::isIpAddressText(text)) << text.toStdString();
}

TEST(VirtualPrinterRule, ListAndDefaultPrinter) {
    const PrinterInfo paper{u"office"_s, u"usb://HP/x"_s, u"HP"_s, true};
    const PrinterInfo pdf{u"pdf"_s, u"cups-pdf:/"_s, u"Generic CUPS-PDF Printer"_s, false};
    EXPECT_FALSE(ov::platform::hasVirtualPrinter(FixedPrinterSource({})));
    EXPECT_FALSE(ov::platform::isDefaultPrinterVirtual(FixedPrinterSource({})));
    EXPECT_TRUE(ov::platform::hasVirtualPrinter(FixedPrinterSource({paper, pdf})));
    EXPECT_FALSE(ov::platform::isDefaultPrinterVirtual(FixedPrinterSource({paper, pdf})));
    PrinterInfo pdfDefault = pdf;
    pdfDefault.isDefault = true;
    PrinterInfo paperOnly = paper;
    paperOnly.isDefault = false;
    EXPECT_TRUE(ov::platform::isDefaultPrinterVirtual(FixedPrinterSource({paperOnly, pdfDefault})));
    EXPECT_EQ(ov::platform::defaultPrinter(FixedPrinterSource({paperOnly, pdfDefault})).name,
              u"pdf"_s);
}

}  // namespace

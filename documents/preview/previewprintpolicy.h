#pragma once
// The print policy of a previewed document, apart from the previewer's form: the right to
// print, where prints go (the print dialog or the default printer), the virtual-printer rule of
// read-only documents, printing with the built-in viewer, and the reports of prints and print
// previews to the server. A previewer's base form owns one.

#include "platform/widgets/documentviewer.h"

#include <QString>
#include <cstdint>

namespace ov {

// Operation codes of the reports to the server.
inline constexpr std::uint8_t OPR_Print = 62;
inline constexpr std::uint8_t OPR_PrintPreview = 63;

// Where the reports go: the document server and the enciphered user id.
struct PreviewServer {
    QString host;
    quint16 port = 0;
    bool isSsl = false;
    QString userIdStr;
};

class PreviewPrintPolicy {
public:
    explicit PreviewPrintPolicy(PreviewServer server = {});

    // Printing allowed (initially false).
    bool canPrint() const { return m_canPrint; }
    void setCanPrint(bool value) { m_canPrint = value; }
    // Prints go through the print dialog (initially true); false: to the default printer.
    bool selectPrinter() const { return m_selectPrinter; }
    void setSelectPrinter(bool value) { m_selectPrinter = value; }
    // The virtual-printer tests are active (initially true).
    bool checkVirtualPrint() const { return m_checkVirtualPrint; }
    void setCheckVirtualPrint(bool value) { m_checkVirtualPrint = value; }

    // The tests, only while checkVirtualPrint: the default printer is virtual / any installed
    // printer is.
    bool defaultPrinterIsVirtual() const;
    bool virtualPrinterInstalled() const;
    // The same tests without that switch.
    static bool hasVirtualPrinter();
    static bool isDefaultPrinterVirtual();

    // A read-only document must not go to a virtual printer: with selectPrinter any installed
    // virtual printer forbids printing, without it a virtual default printer.
    bool virtualPrinterForbidden(bool docReadonly) const;
    // Prints with the built-in viewer as the policy says and reports the print of the file
    // when it went to the printer. NoDocument without a viewer or a document; Refused without
    // the right to print or when the virtual-printer rule forbids it (nothing printed or
    // reported); else the viewer's result.
    platform::DocumentViewer::PrintResult printWithViewer(platform::DocumentViewer* viewer,
                                                          bool docReadonly,
                                                          std::int64_t fileKey) const;

    // Reports an operation on the file (OPR_Print, OPR_PrintPreview) to the server on a
    // connection of its own on a preview thread, without waiting; the reply is not looked at,
    // failures are silent.
    void report(std::uint8_t opr, std::int64_t fileKey) const;

private:
    PreviewServer m_server;
    bool m_canPrint = false;
    bool m_selectPrinter = true;
    bool m_checkVirtualPrint = true;
};

}  // namespace ov

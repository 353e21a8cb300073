// The print policy: the virtual-printer rule, printing with the built-in viewer and the
// reports of prints and print previews.

#include "documents/preview/previewprintpolicy.h"

#include "core/robottcpclient.h"
#include "documents/preview/previewdownload.h"
#include "platform/widgets/systemprinters.h"

using namespace Qt::StringLiterals;

namespace ov {

PreviewPrintPolicy::PreviewPrintPolicy(PreviewServer server) : m_server(std::move(server)) {}

bool PreviewPrintPolicy::defaultPrinterIsVirtual() const {
    return m_checkVirtualPrint && isDefaultPrinterVirtual();
}

bool PreviewPrintPolicy::virtualPrinterInstalled() const {
    return m_checkVirtualPrint && hasVirtualPrinter();
}

bool PreviewPrintPolicy::hasVirtualPrinter() {
    return platform::hasVirtualPrinter(platform::printerSource());
}

bool PreviewPrintPolicy::isDefaultPrinterVirtual() {
    return platform::isDefaultPrinterVirtual(platform::printerSource());
}

bool PreviewPrintPolicy::virtualPrinterForbidden(bool docReadonly) const {
    if (!docReadonly) return false;
    return m_selectPrinter ? virtualPrinterInstalled() : defaultPrinterIsVirtual();
}

platform::DocumentViewer::PrintResult PreviewPrintPolicy::printWithViewer(
    platform::DocumentViewer* viewer, bool docReadonly, std::int64_t fileKey) const {
    using Result = platform::DocumentViewer::PrintResult;
    if (!viewer || !viewer->isLoaded()) return Result::NoDocument;
    if (!m_canPrint || virtualPrinterForbidden(docReadonly)) return Result::Refused;
    const Result result = viewer->print(m_selectPrinter);
    if (result == Result::Printed) report(OPR_Print, fileKey);
    return result;
}

void PreviewPrintPolicy::report(std::uint8_t opr, std::int64_t fileKey) const {
    const QString text = RequestTag(u"EncryptCode"_s, m_server.userIdStr) +
                         RequestTagNum(u"Filekey"_s, fileKey) + RequestTagNum(u"Opr"_s, opr);
    // Its own connection on a worker thread; the reply is not looked at, failures are silent.
    platform::StartPooled(PreviewThreadPool(), [text, server = m_server] {
        TRobotTcpClient client(server.isSsl);
        client.SetHost(server.host);
        client.SetPort(server.port);
        client.Tcp_GetText(TT_WriteOprLog, text);
    });
}

}  // namespace ov

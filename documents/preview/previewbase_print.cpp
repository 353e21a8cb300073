// Printing of the base form: the reports of prints and print previews to the server, printing
// with the built-in viewer, and the virtual-printer tests.

#include "core/robottcpclient.h"
#include "documents/preview/previewbase.h"
#include "documents/preview/previewdownload.h"
#include "platform/widgets/systemprinters.h"

using namespace Qt::StringLiterals;

namespace ov {

void TPreviewBaseFrm::WriteOprLog(std::uint8_t Opr) {
    const QString text = RequestTag(u"EncryptCode"_s, FUserIdStr) +
                         RequestTagNum(u"Filekey"_s, FFileId) + RequestTagNum(u"Opr"_s, Opr);
    const QString host = FServerHost;
    const auto port = quint16(FServerPort);
    const bool ssl = FIsSSL;
    // Its own connection on a worker thread; the reply is not looked at, failures are silent.
    PreviewThreadPool().start([text, host, port, ssl] {
        TRobotTcpClient client(ssl);
        client.SetHost(host);
        client.SetPort(port);
        client.Tcp_GetText(TT_WriteOprLog, text);
    });
}

void TPreviewBaseFrm::ReportPrint() {
    WriteOprLog(OPR_Print);
}

void TPreviewBaseFrm::ReportPrintPreview() {
    WriteOprLog(OPR_PrintPreview);
}

bool TPreviewBaseFrm::VirtualPrinterForbidden() const {
    return FDocReadonly && (FSelectPrinter ? IsExistVirtualPrinter() : DefaultPrinterIsVirtual());
}

platform::DocumentViewer::PrintResult TPreviewBaseFrm::PrintWithViewer(
    platform::DocumentViewer* viewer) {
    using Result = platform::DocumentViewer::PrintResult;
    if (!viewer || !viewer->isLoaded()) return Result::NoDocument;
    if (!FCanPrint || VirtualPrinterForbidden()) return Result::Refused;
    const Result result = viewer->print(FSelectPrinter);
    if (result == Result::Printed) ReportPrint();
    return result;
}

bool TPreviewBaseFrm::DefaultPrinterIsVirtual() const {
    return FIsCheckVirtualPrint && IsDefaultPrinterVirtual();
}

bool TPreviewBaseFrm::IsExistVirtualPrinter() const {
    return FIsCheckVirtualPrint && HasVirtualPrinter();
}

bool TPreviewBaseFrm::HasVirtualPrinter() {
    return platform::hasVirtualPrinter(platform::printerSource());
}

bool TPreviewBaseFrm::IsDefaultPrinterVirtual() {
    return platform::isDefaultPrinterVirtual(platform::printerSource());
}

}  // namespace ov

#include "testing/docserver/demo_pdf.h"

#include "testing/docserver/demo.h"
#include "testing/docserver/pdfbytes.h"

using namespace Qt::StringLiterals;

namespace ov::test::demo {

namespace {

// One literal per line: the whole would be longer than a string literal may portably be.
const char* const kGearboxBase64[] = {
#include "testing/docserver/demo/demo_pdf_cn.inc"
};

QByteArray WiringPage() {
    QByteArray text = "BT /F1 20 Tf 60 780 Td (Wiring list - control cabinet A) Tj ET\n";
    const char* rows[] = {
        "X1  Main supply      400 V  L1 L2 L3 PE", "X2  Motor M1         400 V  U V W PE",
        "X3  Control voltage   24 V  +24V 0V", "X4  Emergency stop    24 V  S1 S2"};
    int y = 730;
    for (const char* row : rows) {
        text += "BT /F1 12 Tf 60 " + QByteArray::number(y) + " Td (" + row + ") Tj ET\n";
        y -= 24;
    }
    text += "0.2 0.3 0.5 RG 2 w 60 765 m 535 765 l S\n";
    return text;
}

}  // namespace

QByteArray GearboxPdf() {
    QByteArray base64;
    for (const char* line : kGearboxBase64)
        base64 += line;
    return QByteArray::fromBase64(base64);
}

QByteArray WiringPdf() {
    const QByteArray page = WiringPage();
    return BuildPdf({
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(page.size()) + " >>\nstream\n" + page + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    });
}

void LoadDemoPdfs(DocModel& model, DocFileChannel& files) {
    std::unique_lock lock(model.mutex);
    const TDateTime day = 46001.5;  // 2025-12-10 12:00
    model
        .addFile(GearboxPdfFile, MechanicsFolder, u"齿轮箱设计说明书.pdf"_s, GearboxPdf().size(),
                 day)
        .desc = u"齿轮箱设计说明"_s;
    model.addFile(WiringPdfFile, ElectricsFolder, u"Wiring list.pdf"_s, WiringPdf().size(), day);
    lock.unlock();
    files.setContent(GearboxPdfFile, GearboxPdf());
    files.setContent(WiringPdfFile, WiringPdf());
}

}  // namespace ov::test::demo

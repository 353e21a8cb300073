#include "testpdf.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>

#include "testing/docserver/pdfbytes.h"

using namespace Qt::StringLiterals;

namespace ov::test {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_viewer";
    static char* argv[] = {name, nullptr};
    // Never deleted: it must outlive every widget of every test.
    if (!QApplication::instance()) new QApplication(argc, argv);
}

bool writeChinesePdf(const QString& path, int pages) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setTitle(u"中文测试文档"_s);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    QFont heading(u"WenQuanYi Micro Hei"_s);
    heading.setPixelSize(28);
    QFont body(u"WenQuanYi Micro Hei"_s);
    body.setPixelSize(16);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) writer.newPage();
        painter.setFont(heading);
        painter.drawText(QPointF(60, 90), u"第%1页 文档预览测试"_s.arg(page));
        painter.setFont(body);
        painter.drawText(QPointF(60, 140), u"这是一份用于预览的中文文件。"_s);
        if (page >= 2)
            painter.drawText(QPointF(60, 300 + page * 40), u"合同编号：HT-2023-0%1"_s.arg(page));
        if (page == 3) painter.drawText(QPointF(60, 600), u"Needle in the haystack"_s);
        painter.fillRect(QRectF(60, 160, 200, 8), Qt::black);
    }
    return painter.end();
}

bool writeOutlinedPdf(const QString& path) {
    // 1 catalog, 2 pages, 3-5 pages, 6 outlines, 7-9 outline items. "第一章" in UTF-16BE.
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R /Outlines 6 0 R >>",
        "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 3 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 400] >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 400] >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 400] >>",
        "<< /Type /Outlines /First 7 0 R /Last 9 0 R /Count 2 >>",
        "<< /Title <FEFF7B2C4E007AE0> /Parent 6 0 R /Next 9 0 R /First 8 0 R /Last 8 0 R "
        "/Count 1 /Dest [3 0 R /Fit] >>",
        "<< /Title (Section 1.1) /Parent 7 0 R /Dest [4 0 R /Fit] >>",
        "<< /Title (Appendix) /Parent 6 0 R /Prev 7 0 R /Dest [5 0 R /Fit] >>",
    };
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(BuildPdf(objects)) > 0;
}

}  // namespace ov::test

#pragma once
// Fixtures of the viewer tests: a widget application, and PDF files made on the spot.

#include <QString>

namespace ov::test {

// Creates the QApplication of the test process on first use.
void ensureApplication();

// A member to declare before any widget member of a fixture.
struct ApplicationFirst {
    ApplicationFirst() { ensureApplication(); }
};

// Writes an A4 PDF of `pages` pages with Chinese text in the "WenQuanYi Micro Hei" face:
// every page has the heading "第N页 文档预览测试"; pages 2 and 3 hold "合同编号" and page 3
// also "Needle". Returns false when the file could not be written.
bool writeChinesePdf(const QString& path, int pages = 3);

// Writes a small PDF (three pages) by hand, with an outline: "第一章" → page 1, with the child
// "Section 1.1" → page 2, and "Appendix" → page 3.
bool writeOutlinedPdf(const QString& path);

}  // namespace ov::test

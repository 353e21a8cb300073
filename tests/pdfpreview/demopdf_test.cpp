#include <gtest/gtest.h>

#include <QFile>

#include "platform/widgets/documentviewer.h"
#include "support/temphome.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"
#include "testpdf.h"

using namespace Qt::StringLiterals;
using ov::platform::DocumentViewer;

namespace {

struct DemoCase {
    std::int64_t key;
    QByteArray (*content)();
    int pages;
    QString word;
};

// The demo's PDF files are real documents: the viewer opens them and finds their words.
TEST(DemoPdf, FilesOpenAndHoldTheirText) {
    ov::test::ApplicationFirst app;
    ov::test::TempHome home;
    ov::test::DocModel model;
    ov::test::demo::LoadDemo(model);
    ov::test::DocFileChannel files(model);
    ov::test::demo::LoadDemoPdfs(model, files);
    const std::vector<DemoCase> cases = {
        {ov::test::demo::GearboxPdfFile, ov::test::demo::GearboxPdf, 2, u"装配要求"_s},
        {ov::test::demo::WiringPdfFile, ov::test::demo::WiringPdf, 1, u"Emergency stop"_s},
    };
    for (const DemoCase& c : cases) {
        const QByteArray bytes = files.content(c.key);
        EXPECT_EQ(bytes, c.content());
        EXPECT_EQ(model.file(c.key)->size, bytes.size());
        const QString path = home.file(QString::number(c.key) + u".pdf"_s);
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        DocumentViewer viewer;
        ASSERT_TRUE(viewer.loadFile(path)) << viewer.errorText().toStdString();
        EXPECT_EQ(viewer.pageCount(), c.pages);
        EXPECT_TRUE(viewer.find(c.word)) << c.word.toStdString();
    }
    EXPECT_EQ(model.file(ov::test::demo::GearboxPdfFile)->name, u"齿轮箱设计说明书.pdf"_s);
}

}  // namespace

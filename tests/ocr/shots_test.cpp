// Pictures of the OCR form and the file chooser in both languages, into the build's
// screenshots folder, for checking by eye.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "control/ocr/modi.h"
#include "control/ocr/modiselectfilename.h"
#include "pictures.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace {

void Save(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(OV_SHOT_DIR));
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(QStringLiteral(OV_SHOT_DIR "/") + name));
}

TEST(OcrShots, FormsInBothLanguages) {
    int argc = 1;
    char name[] = "shots";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    ov::test::TempHome home;
    const QString png = home.file(u"page.png"_s);
    ASSERT_TRUE(ov::test::WritePng(
        ov::test::TextPicture({u"文档管理系统"_s, u"Quarterly report 2026"_s}), png));
    for (const auto language : {ov::HSL_CN, ov::HSL_ENG}) {
        const QString suffix = language == ov::HSL_CN ? u"-cn.png"_s : u"-en.png"_s;
        TModiFrm form(language);
        form.resize(640, 420);
        form.OcrFileName = png;
        form.LoadDoc();
        Save(form, u"ocr-picture"_s + suffix);
        form.Memo1->setPlainText(QString(form.WLS_Page).replace(u"%s"_s, u"1"_s) +
                                 u"\n文档管理系统\nQuarterly report 2026\n\n"_s);
        form.PageControl1->setCurrentIndex(1);
        Save(form, u"ocr-text"_s + suffix);
    }
    TSelectModiFileFrm chooser;
    chooser.resize(450, 140);
    Save(chooser, u"ocr-chooser.png"_s);
}

}  // namespace

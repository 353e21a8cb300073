// The OCR form and its members on generated pictures: the pages of a two-page TIFF and a
// page turned by 90 degrees come back as text, with the page headers in the form's text page;
// a missing file, a missing engine and the zoom box.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "control/controlfixture.h"
#include "control/members/members.h"
#include "control/ocr/modi.h"
#include "control/ocr/ocrengine.h"
#include "documents/preview/previewhint.h"
#include "pictures.h"

using namespace Qt::StringLiterals;
namespace members = ov::control::members;

namespace {

const QStringList kEnglish{u"Document management"_s, u"Quarterly report 2026"_s};
const QStringList kChinese{u"文档管理系统"_s, u"季度报告"_s};

class Ocr : public ov::test::ControlTest {
protected:
    QString Picture(const QString& name) { return home.file(name); }
    ov::control::TModiFrm* Form() {
        return qobject_cast<ov::control::TModiFrm*>(form->Forms.get(ov::control::ChildForm::Ocr));
    }
};

// Answers the next message box with OK and keeps its text.
void AnswerNextBox(QString* text) {
    QTimer::singleShot(200, [text] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *text = box->text();
                box->accept();
            }
    });
}

TEST_F(Ocr, ReadsEveryPageUnderItsHeader) {
    EXPECT_EQ(members::Ocr(*form), QString());  // nothing loaded yet
    const QString tiff = Picture(u"two.tif"_s);
    ASSERT_TRUE(ov::test::WriteTiffPages({ov::test::TextPicture(kEnglish),
                                          ov::test::TextPicture(kChinese)},
                                         tiff));
    members::LoadModiX(*form, tiff);
    ASSERT_NE(Form(), nullptr);
    ASSERT_NE(Form()->FView, nullptr);
    const QString text = members::Ocr(*form);
    EXPECT_TRUE(text.contains(u"Quarterly report"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"管理"_s)) << text.toStdString();
    EXPECT_LT(text.indexOf(u"Quarterly"_s), text.indexOf(u"管理"_s));
    const QString memo = Form()->Memo1->toPlainText();
    const QString header = Form()->WLS_Page;
    const qsizetype first = memo.indexOf(QString(header).replace(u"%s"_s, u"1"_s));
    const qsizetype second = memo.indexOf(QString(header).replace(u"%s"_s, u"2"_s));
    ASSERT_GE(first, 0) << memo.toStdString();
    EXPECT_LT(first, memo.indexOf(u"Quarterly"_s));
    EXPECT_LT(memo.indexOf(u"Quarterly"_s), second);
    EXPECT_LT(second, memo.indexOf(u"管理"_s));
    EXPECT_EQ(form->HintOfPreviewFrm()->HintText(), Form()->WLS_Over);

    members::LoadModiX(*form, Picture(u"other.png"_s));  // a form exists: nothing happens
    EXPECT_EQ(Form()->OcrFileName, tiff);
    Form()->ComboBox1->setCurrentIndex(9);
    EXPECT_DOUBLE_EQ(Form()->Zoom(), 1.0);
    members::FreeModiFrm(*form);
    EXPECT_EQ(Form(), nullptr);
    EXPECT_EQ(members::Ocr(*form), QString());
}

TEST_F(Ocr, TurnsAPageUprightFirst) {
    const QString png = Picture(u"turned.png"_s);
    ASSERT_TRUE(ov::test::WritePng(
        ov::test::TextPicture({u"The quick brown fox jumps"_s, u"over the lazy dog again"_s,
                               u"and reads the letters twice"_s},
                              true),
        png));
    members::LoadModiX(*form, png);
    const QString text = members::Ocr(*form);
    EXPECT_TRUE(text.contains(u"quick brown fox"_s)) << text.toStdString();
}

TEST_F(Ocr, MissingFileMissingEngineAndVersion) {
    EXPECT_FALSE(members::OcrVer(*form).isEmpty());
    QString said;
    AnswerNextBox(&said);
    members::LoadModiX(*form, Picture(u"missing.png"_s));
    EXPECT_TRUE(said == u"不存在的文件,请重新选择文件!"_s ||
                said == u"File does not exist, please select the file"_s)
        << said.toStdString();
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Form()->FView, nullptr);
    members::FreeModiFrm(*form);

    const QString png = Picture(u"page.png"_s);
    ASSERT_TRUE(ov::test::WritePng(ov::test::TextPicture(kEnglish), png));
    qputenv("TESSDATA_PREFIX", home.file(u"no-tessdata/"_s).toLocal8Bit());
    EXPECT_EQ(members::OcrVer(*form), QString());
    EXPECT_THROW(members::LoadModiX(*form, png), ov::control::OcrError);
    qunsetenv("TESSDATA_PREFIX");
}

}  // namespace

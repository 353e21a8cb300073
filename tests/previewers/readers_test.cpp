// The reader-control previewers: no reader control exists here, so each shows its own text and
// nothing is downloaded; the CEB page tool bar works with a control a host puts in.

#include "documents/readers/cebpreview.h"
#include "support.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

using ReadersTest = PreviewerTest;

struct ReaderCase {
    const char* name;
    std::function<std::unique_ptr<TReaderPreviewFrm>()> make;
    const char16_t* cn;
    const char16_t* en;
};

TEST_F(ReadersTest, EachFormShowsItsOwnMissingText) {
    const ReaderCase cases[] = {
        {"ceb", [] { return std::make_unique<TCebPreviewFrm>(); },
         u"需要本地安装方正的Apabi Reader", u"需要本地安装方正的Apabi Reader"},
        {"caj", [] { return std::make_unique<TCajPreviewFrm>(); },
         u"需要本地安装同方知网CAJViewer 7.1以上版本！", u"需要本地安装同方知网CAJViewer 7.1以上版本！"},
        {"exb", [] { return std::make_unique<TExbPreviewFrm>(); }, u"请先安装CAXA电子图板预览控件",
         u"Need CaxaView ActiveX"},
        {"gwd", [] { return std::make_unique<TGwdPreviewFrm>(); }, u"清软英泰CAD MDS7以上版本",
         u"清软英泰CAD MDS7以上版本"},
    };
    for (THS_Language language : {HSL_CN, HSL_ENG}) {
        setLanguage(language);
        for (const ReaderCase& c : cases) {
            SCOPED_TRACE(c.name);
            auto form = c.make();
            form->PreViewHintFrm = hint.get();
            EXPECT_FALSE(form->CheckViewer());
            EXPECT_EQ(hint->HintText(), QString::fromUtf16(language == HSL_CN ? c.cn : c.en));
            EXPECT_TRUE(hint->ShowsErrorPicture());
            EXPECT_TRUE(form->Version().isEmpty());
        }
    }
}

// CAJ keeps its copy until the form goes, also after CloseOleObject; the others drop it there.
TEST_F(ReadersTest, CopiesLiveAsTheirFamilyDoes) {
    const QString folder = home.file(u"copies/"_s);
    auto caj = std::make_unique<TCajPreviewFrm>();
    const QString cajCopy = copyTo(mimeFixture(u"bare.eml"_s), folder, u"a.caj"_s);
    caj->LoadLocalFile(0, cajCopy);
    caj->CloseOleObject();
    EXPECT_TRUE(QFile::exists(cajCopy));
    caj.reset();
    EXPECT_FALSE(QFile::exists(cajCopy));
    TGwdPreviewFrm gwd;
    const QString gwdCopy = copyTo(mimeFixture(u"bare.eml"_s), folder, u"a.gwd"_s);
    gwd.LoadLocalFile(0, gwdCopy);
    EXPECT_TRUE(QFile::exists(gwdCopy));
    gwd.CloseOleObject();
    EXPECT_FALSE(QFile::exists(gwdCopy));
}

// A scripted CEB reader: pages turn, the buttons follow the page.
class ScriptedCeb : public CebViewerControl {
public:
    explicit ScriptedCeb(int pages) : total(pages) {}
    void CEBViewerInit() override {}
    bool OpenCEBFile(const QString&, bool) override { return true; }
    void FirstPage(bool) override { current = 1; }
    void LastPage() override { current = total; }
    void PrevPage() override { current = std::max(1, current - 1); }
    void NextPage() override { current = std::min(total, current + 1); }
    void GotoPage(int page) override { gone << page, current = page; }
    int GetTotalPageNum() override { return total; }
    int GetCurPageNum() override { return current; }
    void CloseCEBFile() override {}
    void CEBViewerUnInit() override {}
    int total;
    int current = 0;
    QList<int> gone;
};

TEST_F(ReadersTest, TheCebToolBarFollowsThePages) {
    ScriptedCeb* reader = nullptr;
    TCebPreviewFrm form;
    form.SetControlFactory([&reader](QWidget*) {
        auto made = std::make_unique<ScriptedCeb>(3);
        reader = made.get();
        return made;
    });
    const QString copy = copyTo(mimeFixture(u"bare.eml"_s), home.file(u"c/"_s), u"b.ceb"_s);
    form.LoadLocalFile(0, copy);
    ASSERT_NE(reader, nullptr);
    EXPECT_FALSE(QFile::exists(copy));  // gone right after the load
    EXPECT_EQ(form.lbPageIndex->text(), u" /3"_s);
    EXPECT_EQ(form.edtIndex->text(), u" 1"_s);
    EXPECT_FALSE(form.tbtFront->isEnabled());
    EXPECT_TRUE(form.tbtNext->isEnabled());
    form.tbtLast->trigger();
    EXPECT_EQ(form.edtIndex->text(), u" 3"_s);
    EXPECT_TRUE(form.tbtFront->isEnabled());
    EXPECT_FALSE(form.tbtNext->isEnabled());
    for (const char* typed : {"4", "0", "x", "2"}) {
        form.edtIndex->setText(QString::fromLatin1(typed));
        emit form.edtIndex->returnPressed();
    }
    EXPECT_EQ(reader->gone, QList<int>{2});  // only a page that exists
}

TEST_F(ReadersTest, ACebBookOfOnePageDisablesBothTurns) {
    TCebPreviewFrm form;
    form.SetControlFactory([](QWidget*) { return std::make_unique<ScriptedCeb>(1); });
    form.LoadLocalFile(0, copyTo(mimeFixture(u"bare.eml"_s), home.file(u"d/"_s), u"c.ceb"_s));
    EXPECT_FALSE(form.tbtFront->isEnabled());
    EXPECT_FALSE(form.tbtNext->isEnabled());
}

}  // namespace

}  // namespace ov::test

// The hint window in both languages, the forms as windows and as child widgets, the input
// guards with posted keys, the clipboard, the search for a viewer's inner widget and the
// file kinds.

#include "fixture.h"

#include "core/filetype.h"
#include "documents/preview/postkey.h"
#include "documents/preview/previewclipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

using namespace ov;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

TEST(PreviewHint, CaptionFontAndPictureFollowLanguageAndCall) {
    ensureApplication();
    struct Case {
        THS_Language language;
        QString caption;
        QString family;
        int points;
    };
    const Case cases[] = {{HSL_CN, u"提示"_s, u"宋体"_s, 12},
                          {HSL_ENG, u"Hint"_s, u"Tahoma"_s, 10},
                          {HSL_NONE, u"提示"_s, u"Tahoma"_s, 9}};
    for (const Case& c : cases) {
        TPreViewHint hint(c.language, nullptr);
        EXPECT_EQ(hint.windowTitle(), c.caption);
        EXPECT_EQ(hint.font().family(), c.family);
        EXPECT_EQ(hint.font().pointSize(), c.points);
        EXPECT_EQ(hint.size(), QSize(506, 200));
        EXPECT_FALSE(hint.isVisible());
    }
    QWidget main;
    TPreViewHint hint(HSL_CN, &main);
    EXPECT_TRUE(hint.isWindow()) << "a window centred on its owner";
    for (const int picture : {1, 2, 0}) {
        hint.ShowHint(u"第%1行\n第二行"_s.arg(picture), picture);
        EXPECT_TRUE(hint.isVisible());
        EXPECT_EQ(hint.HintText(), u"第%1行\n第二行"_s.arg(picture));
        EXPECT_EQ(hint.ShowsErrorPicture(), picture == 1);
        EXPECT_EQ(hint.ShowsWaitPicture(), picture != 1);
    }
    TPreViewHint embedded(HSL_ENG, &main, true);
    EXPECT_FALSE(embedded.isWindow());
}

// A hint opens in the middle of its owner when the owner is shown, and in the middle of the
// screen when it is not (a main window in the tray), never at the hidden owner's corner.
TEST(PreviewHint, OpensCentredOverItsOwnerOrTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto middle = [](const QWidget& w) { return w.frameGeometry().center(); };
    QWidget owner;
    owner.setGeometry(screen.left() + 60, screen.top() + 60, 400, 300);
    TPreViewHint hidden(HSL_ENG, &owner);
    hidden.ShowHint(u"over the screen"_s, 1);
    EXPECT_LE((middle(hidden) - screen.center()).manhattanLength(), 60);
    hidden.hide();

    owner.show();
    TPreViewHint shown(HSL_ENG, &owner);
    shown.ShowHint(u"over the owner"_s, 1);
    EXPECT_LE((middle(shown) - middle(owner)).manhattanLength(), 60);
}

class Forms : public PreviewTest {};

TEST_F(Forms, WorkAsWindowAndAsChildWidget) {
    RecordingPreview window;
    EXPECT_TRUE(window.isWindow());

    QWidget container;
    container.resize(640, 480);
    auto* form = new RecordingPreview(&container);
    EXPECT_FALSE(form->isWindow());
    auto* other = new RecordingPreview;
    other->EmbedInto(&container);
    EXPECT_FALSE(other->isWindow());
    EXPECT_EQ(other->parentWidget(), &container);
    container.show();
    container.layout()->activate();
    EXPECT_EQ(other->geometry(), container.rect());
}

TEST_F(Forms, TextsFollowTheLanguage) {
    RecordingPreview english;
    EXPECT_EQ(english.WLS_CancelPrint, u"forbid  print!"_s);
    RenewGlobalConfig()->SetSysLanguage(HSL_CN);
    RecordingPreview chinese;
    EXPECT_EQ(chinese.WLS_CancelPrint, u"文档预览状态锁定打印，关闭此预览窗口后再打印！"_s);
    EXPECT_EQ(chinese.Language(), HSL_CN);
}

TEST_F(Forms, GuardsHoldUntilTheFormGoesAndPostedKeysMeetThem) {
    QWidget outside;
    auto* edit = new QLineEdit(&outside);
    auto& guard = platform::InputGuard::instance();
    {
        RecordingPreview form;
        form.AddKeyboardHook(edit);
        form.AddMouseHook();
        form.AddMouseHook();
        EXPECT_TRUE(guard.isGuarded(edit));
        EXPECT_TRUE(guard.isGuarded(&form));

        PostKeyEx(edit, Qt::Key_B, Qt::NoModifier, false);
        PostKeyEx(edit, Qt::Key_A, Qt::ShiftModifier, false);
        PostKeyEx(edit, Qt::Key_F12, Qt::NoModifier, false);
        EXPECT_EQ(edit->text(), u"b"_s) << "keys with Shift held are dead in a read-only view";
        PostKeyEx(nullptr, Qt::Key_B, Qt::NoModifier, false);
    }
    EXPECT_FALSE(guard.isGuarded(edit));
    PostKeyEx(edit, Qt::Key_A, Qt::ShiftModifier, false);
    EXPECT_EQ(edit->text(), u"bA"_s);
}

TEST_F(Forms, ClipboardGuardReplacesAnyContent) {
    RecordingPreview form;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    form.ClearClipboard();
    EXPECT_TRUE(clipboard->text().isEmpty()) << "an empty clipboard stays empty";
    clipboard->setText(u"secret"_s);
    form.ClearClipboard();
    EXPECT_EQ(clipboard->text(), form.WLS_ClearClipboard);
}

TEST(ClipboardSource, FormatsTellTheProgram) {
    using F = ClipboardFormat;
    const F data{CF_DATAOBJECT_ID, u"DataObject"_s};
    QList<F> word{data};
    for (int i = 0; i < 13; ++i)
        word.append(F{0xC100u + quint32(i), u"Rich Text Format"_s});
    struct Case {
        QList<F> formats;
        int source;
    };
    const Case cases[] = {
        {{data, {0xC101, u"Csv"_s}}, 0},  // two formats say nothing
        {{data, {0xC101, u"Biff8"_s}, {0xC102, u"Csv"_s}}, 2},
        {{data, {0xC101, u"PowerPoint 12.0 Internal Slides"_s}, {0xC102, u"x"_s}}, 3},
        {{data, {0xC101, u"Kingsoft WPS 9.0 Format"_s}, {0xC102, u"x"_s}}, 4},
        {{data, {0xC101, u"Kingsoft ET 9.0 Format"_s}, {0xC102, u"x"_s}}, 5},
        {{data, {0xC101, u"Kingsoft WPP 9.0 Format"_s}, {0xC102, u"x"_s}}, 6},
        {word, 1},
        {{data, {0xC101, u"a"_s}, {0xC102, u"b"_s}}, 0},
        {{{13, {}}, {1, {}}, {16, {}}, {7, {}}}, 2},
        {{{1, {}}, {0xC101, u"x"_s}, {0xC102, u"ASEL"_s}}, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClipboardSourceOf(c.formats), c.source) << c.formats.size();

    QMimeData mime;
    mime.setData(u"application/x-qt-windows-mime;value=\"DataObject\""_s, "x");
    mime.setData(u"application/x-qt-windows-mime;value=\"Biff8\""_s, "x");
    mime.setData(u"application/x-qt-windows-mime;value=\"Csv\""_s, "x");
    EXPECT_EQ(ClipboardSourceOf(ClipboardFormatsOf(mime)), 2);
}

TEST_F(Forms, FindChildWindowFindsTheInnerWidgetByClassName) {
    RecordingPreview form;
    auto* panel = new QWidget(&form);
    auto* memo = new QPlainTextEdit(panel);
    EXPECT_EQ(FindChildWindow(&form, u"QPlainTextEdit"_s), memo);
    EXPECT_EQ(FindChildWindow(&form, u"--QWidget--"_s), panel);
    EXPECT_EQ(FindChildWindow(&form, u"QTreeView"_s), nullptr);
    EXPECT_EQ(FindChildWindow(nullptr, u"QWidget"_s), nullptr);
}

TEST(FileKinds, OfficeApplicationsByCode) {
    struct Case {
        const char16_t* ext;
        bool word, excel, powerPoint;
    };
    const Case cases[] = {
        {u"doc", true, false, false},  {u"wps", true, false, false},  {u"docx", true, false, false},
        {u"dotx", true, false, false}, {u"et", false, true, false},   {u"xls", false, true, false},
        {u"xlsm", false, true, false}, {u"xlsx", false, true, false}, {u"dps", false, false, true},
        {u"pps", false, false, true},  {u"ppt", false, false, true},  {u"pptx", false, false, true},
        {u"pdf", false, false, false}, {u"dot", false, false, false}, {u"", false, false, false},
    };
    for (const Case& c : cases) {
        const auto code = FileExtToCode(QString::fromUtf16(c.ext));
        EXPECT_EQ(IsWordFileType(code), c.word) << QString::fromUtf16(c.ext).toStdString();
        EXPECT_EQ(IsExcelFileType(code), c.excel) << QString::fromUtf16(c.ext).toStdString();
        EXPECT_EQ(IsPowerPointFileType(code), c.powerPoint)
            << QString::fromUtf16(c.ext).toStdString();
    }
}

}  // namespace

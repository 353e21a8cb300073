#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QTest>

#include "platform/widgets/documentviewer.h"
#include "platform/widgets/inputguard.h"
#include "support/temphome.h"
#include "testpdf.h"

using namespace Qt::StringLiterals;
using ov::platform::DocumentViewer;
using ov::platform::InputGuard;

namespace {

struct KeyCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool allowCtrlC;
    bool discarded;
};

TEST(InputGuardRule, KeyTable) {
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier,
                                shift = Qt::ShiftModifier, alt = Qt::AltModifier;
    const std::vector<KeyCase> cases = {
        {Qt::Key_C, ctrl, false, true},         {Qt::Key_C, ctrl, true, false},
        {Qt::Key_C, ctrl | shift, true, true},  {Qt::Key_V, ctrl, true, true},
        {Qt::Key_S, ctrl, true, true},          {Qt::Key_P, ctrl, true, true},
        {Qt::Key_Insert, shift, true, true},    {Qt::Key_Insert, ctrl, true, true},
        {Qt::Key_F12, none, true, true},        {Qt::Key_F1, none, false, true},
        {Qt::Key_F24, none, false, true},       {Qt::Key_F4, alt, false, true},
        {Qt::Key_A, shift, false, true},        {Qt::Key_A, none, false, false},
        {Qt::Key_PageDown, none, false, false}, {Qt::Key_Left, none, false, false},
        {Qt::Key_C, none, false, false},        {Qt::Key_Plus, Qt::KeypadModifier, false, false},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(InputGuard::isKeyDiscarded(c.key, c.modifiers, c.allowCtrlC), c.discarded)
            << QKeySequence(c.key | c.modifiers.toInt()).toString().toStdString()
            << " allowCtrlC=" << c.allowCtrlC;
}

class ReadOnlyTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ov::test::writeChinesePdf(m_pdf));
        ASSERT_TRUE(m_viewer.loadFile(m_pdf));
        m_viewer.resize(600, 700);
        m_viewer.show();
        m_viewer.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_viewer));
        m_viewer.setFocus();
    }
    void TearDown() override {
        InputGuard::setAllowCtrlC(false);
        InputGuard::setRightClickInControlOnly(true);
    }

    bool contextMenuShows() {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 50),
                                m_viewer.viewport()->mapToGlobal(QPoint(50, 50)));
        QCoreApplication::sendEvent(m_viewer.viewport(), &event);
        QMenu* menu = m_viewer.findChild<QMenu*>();
        const bool shown = menu && menu->isVisible();
        if (menu) menu->close();
        QCoreApplication::processEvents();
        return shown;
    }

    bool ctrlCCopies() {
        QGuiApplication::clipboard()->setText(u"before"_s);
        m_viewer.setSelection(QRectF(0, 0, 595, 200));
        QTest::keyClick(&m_viewer, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text().contains(u"第1页"_s);
    }

    ov::test::ApplicationFirst m_app;
    ov::test::TempHome m_home;
    QString m_pdf = m_home.file(u"只读.pdf"_s);
    DocumentViewer m_viewer;
};

struct RestrictionCase {
    bool readOnly;
    bool allowCtrlC;
    bool copies;
    bool contextMenu;
    bool savesAs;
    bool printsToFile;
};

TEST_F(ReadOnlyTest, RestrictionTable) {
    const std::vector<RestrictionCase> cases = {
        {false, false, true, true, true, true},
        {false, true, true, true, true, true},
        {true, false, false, false, false, false},
        {true, true, true, false, false, false},
    };
    int row = 0;
    for (const RestrictionCase& c : cases) {
        SCOPED_TRACE(row++);
        InputGuard::setAllowCtrlC(c.allowCtrlC);
        m_viewer.setReadOnly(c.readOnly);
        EXPECT_EQ(ctrlCCopies(), c.copies);
        EXPECT_EQ(m_viewer.canCopy(), c.copies);
        EXPECT_EQ(contextMenuShows(), c.contextMenu);
        const QString saved = m_home.file(u"saved%1.pdf"_s.arg(row));
        EXPECT_EQ(m_viewer.canSaveAs(), c.savesAs);
        EXPECT_EQ(m_viewer.saveAs(saved), c.savesAs);
        EXPECT_EQ(QFileInfo::exists(saved), c.savesAs);
        const QString printed = m_home.file(u"printed%1.pdf"_s.arg(row));
        QPrinter printer;
        printer.setOutputFileName(printed);
        EXPECT_EQ(m_viewer.printTo(printer), c.printsToFile ? DocumentViewer::PrintResult::Printed
                                                            : DocumentViewer::PrintResult::Refused);
        EXPECT_EQ(QFileInfo::exists(printed), c.printsToFile);
        // The print dialog offers printing to a file only where it is allowed.
        bool offered = false;
        m_viewer.setPrintDialogRunner([&](QPrinter&, QWidget*, bool allowFile) {
            offered = allowFile;
            return false;
        });
        EXPECT_EQ(m_viewer.print(true), DocumentViewer::PrintResult::Cancelled);
        EXPECT_EQ(offered, c.printsToFile);
    }
}

TEST_F(ReadOnlyTest, ShortcutsDieButReadingKeysWork) {
    int saves = 0;
    QAction save(&m_viewer);
    save.setShortcut(QKeySequence(u"Ctrl+S"_s));
    save.setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(&save, &QAction::triggered, [&] { ++saves; });
    m_viewer.addAction(&save);

    QTest::keyClick(&m_viewer, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    m_viewer.setReadOnly(true);
    QTest::keyClick(&m_viewer, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    QTest::keyClick(&m_viewer, Qt::Key_PageDown);
    EXPECT_EQ(m_viewer.currentPage(), 2);
    m_viewer.setReadOnly(false);
    QTest::keyClick(&m_viewer, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 2);
}

// Counts the mouse presses that reach it.
class PressCounter : public QWidget {
public:
    int right = 0, left = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        ++(e->button() == Qt::RightButton ? right : left);
    }
};

void press(QWidget* target, Qt::MouseButton button) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                      button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST_F(ReadOnlyTest, RightClicksOutsideTheViewer) {
    PressCounter elsewhere, control;
    InputGuard::instance().markControlWindow(&control);

    press(&elsewhere, Qt::RightButton);
    press(&control, Qt::RightButton);  // nothing is guarded yet
    EXPECT_EQ(elsewhere.right, 1);
    EXPECT_EQ(control.right, 1);

    m_viewer.setReadOnly(true);
    press(&elsewhere, Qt::RightButton);
    press(&control, Qt::RightButton);
    EXPECT_EQ(elsewhere.right, 2);
    EXPECT_EQ(control.right, 1);

    InputGuard::setRightClickInControlOnly(false);
    press(&elsewhere, Qt::RightButton);
    press(&elsewhere, Qt::LeftButton);
    EXPECT_EQ(elsewhere.right, 2);
    EXPECT_EQ(elsewhere.left, 1);

    m_viewer.setReadOnly(false);  // the guard goes with the read-only document
    press(&elsewhere, Qt::RightButton);
    EXPECT_EQ(elsewhere.right, 3);
}

}  // namespace

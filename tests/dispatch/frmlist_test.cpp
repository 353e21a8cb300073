// The viewer windows the dispatcher opens: placed at the remembered rectangle, freed with their
// local copy as soon as they are closed, the rest freed at shut-down, the last rectangle kept.

#include <QCloseEvent>
#include <QFile>
#include <QPointer>

#include "fixture.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

// A previewer with a local copy on disk; it may refuse to close.
class FakePreview : public QWidget {
public:
    FakePreview(const QString& copy, QStringList& log) : m_copy(copy), m_log(log) {
        QFile file(copy);
        if (file.open(QIODevice::WriteOnly)) file.write("copy");
    }
    void CloseOleObject() { m_log << u"closed "_s + windowTitle(); }
    QString LocalFilename() const { return m_copy; }
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuseClose) event->ignore();
    }

private:
    QString m_copy;
    QStringList& m_log;
};

class Windows : public test::DispatchTest {
protected:
    FakePreview* open(const QString& name) {
        auto* form = new FakePreview(home.file(name), log);
        module->ShowAsWindow(form, name);
        form->show();
        return form;
    }
    QStringList log;
};

}  // namespace

TEST_F(Windows, AClosedWindowIsFreedWithItsCopyAndTheNextOneOpensAtTheSameRectangle) {
    const QRect start = GlobalConfig()->PreviewRect();
    QPointer<FakePreview> first = open(u"a.pdf"_s);
    EXPECT_EQ(first->parentWidget(), mainFrm.get());
    EXPECT_TRUE(first->isWindow());
    EXPECT_TRUE(first->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(first->geometry(), start);
    EXPECT_EQ(first->windowTitle(), u"a.pdf"_s);

    first->setGeometry(40, 50, 900, 700);
    first->close();
    EXPECT_TRUE(test::processEventsUntil([&] { return first.isNull(); }));
    EXPECT_EQ(log, QStringList{u"closed a.pdf"_s});
    EXPECT_FALSE(QFile::exists(home.file(u"a.pdf"_s)));

    QPointer<FakePreview> second = open(u"b.pdf"_s);
    EXPECT_EQ(second->geometry(), start);
    EXPECT_EQ(module->FrmList().Forms(), QList<QWidget*>{second.data()});
}

TEST_F(Windows, ARefusedCloseKeepsTheWindowAndItsCopy) {
    QPointer<FakePreview> form = open(u"a.pdf"_s);
    form->refuseClose = true;
    form->close();
    test::processEventsFor(50);
    ASSERT_FALSE(form.isNull());
    EXPECT_TRUE(QFile::exists(home.file(u"a.pdf"_s)));
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(Windows, ShutDownFreesTheOpenWindowsAndKeepsTheLastRectangle) {
    QPointer<FakePreview> first = open(u"a.pdf"_s);
    QPointer<FakePreview> last = open(u"b.pdf"_s);
    last->setGeometry(30, 40, 1000, 750);
    const QRect lastRect = last->geometry();
    last->close();  // the last one opened, closed before shut-down: its rectangle still counts
    test::processEventsUntil([&] { return last.isNull(); });

    mainFrm.reset();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(log, (QStringList{u"closed b.pdf"_s, u"closed a.pdf"_s}));
    EXPECT_FALSE(QFile::exists(home.file(u"a.pdf"_s)));
    EXPECT_EQ(RenewGlobalConfig()->PreviewRect(), lastRect);
}

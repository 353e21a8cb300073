// The server's control page in the browser: created both ways, members, errors, events from
// Qt input, the control's window over the element, other origins refused, and many calls.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTest>

#include "control/ovcom/runtime.h"
#include "core/clientconfig.h"
#include "fixture.h"
#include "platform/registry.h"
#include "testing/docserver/demo.h"
#include "testing/docserver/demo_pdf.h"

using namespace Qt::StringLiterals;
using ov::platform::Hive;
using ov::platform::Registry;

namespace ov::test {

namespace {

constexpr int kTypeMismatch = -2147352571;    // 0x80020005
constexpr int kUnknownName = -2147352570;     // 0x80020006
constexpr int kCannotCreate = -2146827859;    // 0x800A01AD
constexpr int kNotImplemented = -2147467263;  // 0x80004001

}  // namespace

PageServer::PageServer() {
    demo::LoadDemo(model);
    demo::LoadDemoPdfs(model, files);
    commands.install(server);
    files.install(server);
    http = installHttpSide(server, model);
}

QUrl PageServer::url(const QString& path) const {
    return QUrl(u"http://127.0.0.1:%1%2"_s.arg(server.port()).arg(path));
}

void BrowserTest::SetUp() {
    home = std::make_unique<TempHome>();
    ASSERT_EQ(ovcom::CallLibraryEntry(QStringLiteral(OV_CTRL_LIB), "DllRegisterServer"),
              ovcom::S_OK);
}

void BrowserTest::TearDown() {
    window.reset();
    home.reset();
}

bool BrowserTest::open(const QUrl& url) {
    window = std::make_unique<ovbrowser::BrowserWindow>(url, home->file(u"Downloads"_s));
    window->show();
    return waitFor(u"!!(window.ovResults && window.ovResults.ready)"_s);
}

QVariant BrowserTest::run(const QString& script, int ms) {
    return window->page().runScript(script, true, ms);
}

QJsonObject BrowserTest::results() {
    const QString text = run(u"JSON.stringify(window.ovResults)"_s).toString();
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

bool BrowserTest::waitFor(const QString& script, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (run(script).toBool()) return true;
        QTest::qWait(50);
    }
    return false;
}

bool BrowserTest::until(const std::function<bool()>& condition, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QTest::qWait(50);
    }
    return true;
}

QList<QWidget*> BrowserTest::controls() const {
    QList<QWidget*> found;
    for (QWidget* child : window->view().findChildren<QWidget*>())
        if (QLatin1StringView(child->metaObject()->className()).endsWith("TQuexFormX"_L1))
            found << child;
    return found;
}

void BrowserTest::screenshot(const QString& name) {
    QDir().mkpath(QStringLiteral(OV_SHOT_DIR));
    QTest::qWait(1000);  // the page paints after its script has run
    window->grab().save(QStringLiteral(OV_SHOT_DIR "/") + name + u".png"_s);
}

TEST_F(BrowserTest, ServerPageDrivesTheControl) {
    PageServer server;
    ASSERT_TRUE(open(server.url(u"/ovctrl"_s)));
    const QJsonObject r = results();
    EXPECT_EQ(r[u"objectEdition"_s].toString(), u"6.4.1.0"_s) << r[u"objectEditionError"_s].toObject()[u"description"_s].toString().toStdString();
    EXPECT_EQ(r[u"axEdition"_s].toString(), u"6.4.1.0"_s);
    EXPECT_EQ(r[u"serverIp"_s].toString(), u"127.0.0.1#%1"_s.arg(server.server.port()));
    EXPECT_EQ(r[u"identity"_s].toString(), u"saved"_s);
    EXPECT_EQ(r[u"wrongTypeError"_s][u"number"_s].toInt(), kTypeMismatch);
    EXPECT_EQ(r[u"unknownError"_s][u"number"_s].toInt(), kUnknownName);

    // One window: the element's, over the element; the ActiveXObject's stays windowless.
    const QList<QWidget*> windows = controls();
    ASSERT_EQ(windows.size(), 1);
    QWidget* control = windows.first();
    const auto rect = [&] {
        return run(u"(function(){var r=OvCtrl1.getBoundingClientRect();"
                   "return [r.left,r.top,r.width,r.height].map(Math.round).join(',');})()"_s)
            .toString();
    };
    const auto geometry = [&] {
        const QRect g = control->geometry();
        return u"%1,%2,%3,%4"_s.arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    };
    ASSERT_TRUE(until([&] { return geometry() == rect(); })) << geometry().toStdString() << " "
                                                             << rect().toStdString();
    EXPECT_TRUE(control->isVisible());
    screenshot(u"ovbrowser-control-page"_s);

    // It follows the page when the page scrolls.
    const QString before = rect();
    run(u"document.body.style.height='3000px'; window.scrollTo(0, 60); true"_s);
    EXPECT_TRUE(until([&] { return rect() != before; }));
    EXPECT_TRUE(until([&] { return geometry() == rect(); })) << geometry().toStdString() << " "
                                                             << rect().toStdString();

    // Events: a click reaches the page's handler; a key press takes the handler's result.
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(until([&] { return results()[u"clicks"_s].toInt() == 1; }));
    run(u"OvCtrl1.KeyPreview = true; true"_s);
    auto* field = new QLineEdit(control);
    field->show();
    field->setFocus();
    QTest::keyClicks(field, u"axb"_s);
    EXPECT_EQ(field->text(), u"Ab"_s);
    EXPECT_EQ(results()[u"keys"_s].toArray(), QJsonArray({97, 120, 98}));
}

TEST_F(BrowserTest, PreviewShowsInsideThePage) {
    PageServer server;
    ASSERT_TRUE(open(server.url(u"/ovctrl"_s)));
    run(u"preview(); true"_s);
    screenshot(u"ovbrowser-preview"_s);
    const QJsonObject r = results();
    ASSERT_EQ(r[u"preview"_s].toString(), u"shown"_s);
    ASSERT_EQ(controls().size(), 1);
    QWidget* control = controls().first();
    // The PDF previewer fills the control's window, which lies over the element.
    const auto previewer = [control]() -> QWidget* {
        for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (QLatin1StringView(child->metaObject()->className()).endsWith("TPdfPreviewFrm"_L1) &&
                child->isVisible())
                return child;
        return nullptr;
    };
    ASSERT_TRUE(until([&] { return previewer() != nullptr; }, 10000));
    EXPECT_TRUE(until([&] { return previewer()->geometry() == control->rect(); }));
    EXPECT_EQ(control->size(), QSize(640, 360));
}

TEST_F(BrowserTest, OtherOriginsCannotCreateTheControlUnlessTrusted) {
    PageServer server;
    PageServer other;
    ASSERT_TRUE(open(server.url(u"/ovctrl"_s)));
    ASSERT_EQ(controls().size(), 1);
    // The same page from another origin (another port) gets an error and nothing runs.
    window.reset();
    window = std::make_unique<ovbrowser::BrowserWindow>(server.url(u"/ovctrl"_s),
                                                        home->file(u"Downloads"_s));
    window->show();
    window->view().load(other.url(u"/ovctrl"_s));
    ASSERT_TRUE(waitFor(u"!!(window.ovResults && window.ovResults.ready && "
                        "location.port == '%1')"_s.arg(other.server.port())));
    QJsonObject r = results();
    EXPECT_EQ(r[u"objectEditionError"_s][u"number"_s].toInt(), kCannotCreate);
    EXPECT_EQ(r[u"axEditionError"_s][u"number"_s].toInt(), kCannotCreate);
    EXPECT_FALSE(r.contains(u"identity"_s));
    EXPECT_TRUE(controls().isEmpty());

    // A trusted site of the zone map (as FileAccessPower writes it) may.
    const QString key = u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\"
                        "ZoneMap\\Ranges\\127_0_0_1"_s;
    ASSERT_TRUE(Registry::writeString(Hive::CurrentUser, key, u":Range"_s, u"127.0.0.1"_s));
    ASSERT_TRUE(Registry::writeDword(Hive::CurrentUser, key, u"http"_s, 2));
    run(u"window.ovOld = true"_s);
    window->view().reload();
    ASSERT_TRUE(waitFor(u"!window.ovOld && !!(window.ovResults && window.ovResults.ready)"_s));
    r = results();
    EXPECT_EQ(r[u"objectEdition"_s].toString(), u"6.4.1.0"_s);
    EXPECT_EQ(controls().size(), 1);
}

TEST_F(BrowserTest, TenThousandSynchronousCalls) {
    PageServer server;
    ASSERT_TRUE(open(server.url(u"/ovctrl"_s)));
    // Each call is a round trip to the host; under a sanitizer on a busy machine they take long.
    ASSERT_TRUE(run(u"calls(10000); true"_s, 180000).toBool());
    const QJsonObject load = results()[u"load"_s].toObject();
    EXPECT_EQ(load[u"calls"_s].toInt(), 10000);
    EXPECT_EQ(load[u"edition"_s].toString(), u"6.4.1.0"_s);
    const double ms = load[u"ms"_s].toDouble();
    std::printf("bridge: 10000 calls in %.0f ms, %.0f calls/s\n", ms, 10000 * 1000.0 / ms);
}

}  // namespace ov::test

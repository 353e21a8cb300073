// The file property dialog in a real web view against the test server's property page: the
// current values reach the page through "fillProperty()" unchanged (quotes and angle brackets
// included, no markup made of them), and what is typed on the page comes back on "confirm".

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "client/webpages/filepropertyfrm.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

namespace ov::test {
namespace {

QVariant runScript(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    EXPECT_TRUE(waitUntil([&] { return done; }));
    return result;
}

TEST(PropertyPage, ValuesTravelIntoThePageAndBackUnchanged) {
    FileManagerServer demo(false);
    TTSetFilePropertyFrm form(HSL_CN);
    form.URL = GlobalConfig()->ServerUrl() + u"/getPrtHtm?opr=page"_s;
    const QString tricky = u"A\"1>2 <b id='x'>粗</b><script>document.title='hacked'</script>"_s;
    form.PrtParams = u"[proid]1,2,3[/proid][1]"_s + tricky + u"[/1][2]内部[/2][3]图纸,说明[/3]"_s;
    form.LoadParam = true;
    bool ready = false;
    QObject::connect(&form, &TTSetFilePropertyFrm::pageReady, [&ready] { ready = true; });
    form.show();
    ASSERT_TRUE(waitUntil([&] { return ready; }, 60000));
    QWebEnginePage* page = form.WebBrowser1->page();
    EXPECT_EQ(runScript(page, u"document.getElementById('FilePrt1').value"_s).toString(), tricky);
    EXPECT_EQ(runScript(page, u"document.getElementById('h_FilePrt3').value"_s).toString(),
              u"图纸*#*#说明"_s);
    EXPECT_TRUE(runScript(page, u"document.getElementsByName('FilePrt2')[1].checked"_s).toBool());
    EXPECT_EQ(runScript(page, u"document.getElementsByTagName('b').length"_s).toInt(), 0);
    EXPECT_NE(runScript(page, u"document.title"_s).toString(), u"hacked"_s);

    runScript(page, u"document.getElementById('FilePrt1').value = 'N-7 \"引号\" >';"
                    u"document.getElementsByName('FilePrt2')[0].checked = true;"_s);
    bool closed = false;
    QObject::connect(&form, &QDialog::accepted, [&closed] { closed = true; });
    form.btnOK->click();
    ASSERT_TRUE(waitUntil([&] { return closed; }));
    EXPECT_EQ(form.PrtParams,
              u"[proid]1,2,3[/proid][1]N-7 \"引号\" >[/1][2]公开[/2][3]图纸,说明[/3]"_s);
}

TEST(PropertyPage, FillScriptCarriesValuesAsData) {
    const QString script = FillPropertyScript(u"[proid]1[/proid][1]\"</script>[/1]"_s);
    EXPECT_TRUE(script.contains(u"[[\"1\",\"\\\"</script>\"]]"_s)) << script.toStdString();
}

}  // namespace
}  // namespace ov::test

int main(int argc, char** argv) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

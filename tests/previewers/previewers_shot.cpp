// Grabs the mail previewer (a GB2312 mail with its header panel) and the Visio previewer (a
// generated drawing) in Chinese and in English into the folder given as the argument
// (mail-cn.png, mail-en.png, visio-cn.png, visio-en.png), with a private home folder. Needs
// the machine's LibreOffice for the drawing. Run it under xvfb-run to see a desktop's fonts.

#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/drawings/vsdpreview.h"
#include "documents/web/emlpreview.h"
#include "platform/widgets/fonts.h"
#include "support/temphome.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString copied(const QString& fixture, const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    QFile::copy(fixture, folder + name);
    return folder + name;
}

template <typename Form>
bool waitShown(Form& form) {
    bool done = false, shown = false;
    QObject::connect(&form, &Form::documentShown, [&](bool ok) { done = true, shown = ok; });
    const QDeadlineTimer deadline(120000);
    while (!done && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return shown;
}

bool shootMail(ov::THS_Language language, const QString& fileName) {
    ov::RenewGlobalConfig()->SetSysLanguage(language);
    ov::TEmlPreviewFrm form;
    form.setWindowTitle(u"季度报告.eml"_s);
    form.resize(739, 609);
    form.show();
    form.LoadLocalFile(0, copied(QStringLiteral(OV_MIME_FIXTURES "gb2312.eml"),
                                 ov::GetLocalTempPath(), u"mail.eml"_s));
    return waitShown(form) && form.grab().save(fileName, "PNG");
}

bool shootVisio(ov::THS_Language language, const QString& fileName) {
    ov::RenewGlobalConfig()->SetSysLanguage(language);
    ov::TVsdPreviewFrm form;
    form.setWindowTitle(u"流程图.vsdx"_s);
    form.SetDocReadonly(true);
    form.resize(731, 575);
    form.show();
    form.LoadLocalFile(0, copied(QStringLiteral(OV_OFFICE_FIXTURES "drawing.vsdx"),
                                 ov::GetLocalTempPath(), u"drawing.vsdx"_s));
    if (!waitShown(form)) return false;
    form.Viewer()->fitWidth();
    form.Viewer()->waitForRendering(10000);
    return form.grab().save(fileName, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    ov::test::TempHome home;
    QApplication app(argc, argv);
    ov::platform::installFontSubstitutions();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"/tmp/ov-shots"_s;
    QDir().mkpath(folder);
    const bool ok = shootMail(ov::HSL_CN, folder + u"/mail-cn.png"_s) &&
                    shootMail(ov::HSL_ENG, folder + u"/mail-en.png"_s) &&
                    shootVisio(ov::HSL_CN, folder + u"/visio-cn.png"_s) &&
                    shootVisio(ov::HSL_ENG, folder + u"/visio-en.png"_s);
    ov::platform::endSessionOfficeConverters();
    ov::FreeGlobalConfig();
    std::printf("%s\n", ok ? "saved" : "failed");
    return ok ? 0 : 1;
}

// Web commands 11 and 12 (text to the clipboard) and 23 (the mail server test of the settings
// page).

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

#include "client/webcommands/webmodule.h"
#include "core/tagtext.h"
#include "core/widgets/smtptestfrm.h"

using namespace Qt::StringLiterals;

namespace ov {

QString TWebModule::DoClipboardCmd(const QString& cmd) {
    QGuiApplication::clipboard()->setText(cmd);
    return {};
}

QString TWebModule::DoSmtpTest(const QString& cmd) {
    TSmtpTestFrm form(PMainFrm);
    form.SetLanguage(FHS_Language);
    form.ParamInti(ReadTagValue(cmd, u"params"_s));
    ExecModal(form);
    if (form.IsOk()) {
        QMessageBox box(QMessageBox::Information, LangText(u"提示"_s, u"Notice"_s),
                        LangText(u"测试通过，请返回页面保存设置并重启文档服务！"_s,
                                 u"test is passed, please return to save the settings and "
                                 u"restart the service!"_s),
                        QMessageBox::Ok, &form);
        ExecModal(box);
        form.close();
    }
    return {};
}

}  // namespace ov

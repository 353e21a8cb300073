// Mail from the page: the mail settings tested in their dialog, a mail sent with the page's
// settings while the wait window shows the sender's progress, and the local folder picker.

#include <QPointer>

#include "control/members/members.h"
#include "control/members/waitworker.h"
#include "control/object/quexformx.h"
#include "core/smtpex.h"
#include "core/widgets/getpathfrm.h"
#include "core/widgets/smtptestfrm.h"
#include "documents/preview/previewhint.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {
namespace {

// The sender's progress lines go to the wait window on its own thread.
TSmptLog logToHint(TPreViewHint* hint) {
    QPointer<TPreViewHint> target(hint);
    return [target](TSmtpEx*, const QString& text) {
        QMetaObject::invokeMethod(
            target.get(),
            [target, text] {
                if (target) target->ShowHint(text, TPreViewHint::PictureWait);
            },
            Qt::QueuedConnection);
    };
}

}  // namespace

QString SMTPTest(TQuexFormX& self, const QString& Params) {
    TSmtpTestFrm dialog(&self);
    dialog.SetLanguage(self.FLanguage);
    dialog.ParamInti(Params);
    dialog.exec();
    return dialog.IsOk() ? u"ok"_s : dialog.ErrorInfo();
}

QString SendEmail(TQuexFormX& self, const QString& EmailAddrs, const QString& EmailTitle,
                  const QString& EmailBody, const QString& SMTPParams) {
    const QPointer<TPreViewHint> hint = self.HintOfPreviewFrm();
    hint->show();
    hint->raise();
    auto sender = std::make_shared<TSmtpEx>();
    sender->SetLanguage(self.FLanguage);
    sender->SetSmtpSrvParams(TSmtpEx::StrToSmtpParams(SMTPParams, true));
    const QString recipients = TSmtpEx::EmailFormat(EmailAddrs);
    sender->SetOnSmtpMsg(logToHint(hint.get()));
    const QString states = WaitForWorker<QString>([sender, recipients, EmailTitle, EmailBody] {
        try {
            return sender->SendEx(recipients, QString(), QString(), EmailTitle, EmailBody)
                       ? u"ok"_s
                       : QString();
        } catch (const Error& e) {
            return e.message();
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
    });
    if (hint) hint->hide();
    return states;
}

QString SelFolder(TQuexFormX& self) {
    TGetPathFrm dialog(&self);
    dialog.LanguageInit(self.FLanguage);
    dialog.exec();
    return dialog.SelectedPath();
}

}  // namespace ov::control::members

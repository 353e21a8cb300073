#include "client/webcommands/webmodule.h"

#include <QDialog>
#include <QWidget>

#include "client/webcommands/opencopy.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/preview/previewhint.h"

using namespace Qt::StringLiterals;

namespace ov {

TWebModule::TWebModule(QWidget* mainFrm)
    : QObject(mainFrm),
      FHS_Language(GlobalConfig()->SysLanguage()),
      PMainFrm(mainFrm),
      FClientPath(GetUserDataPath()),
      FLastPreviewRect(GlobalConfig()->PreviewRect()),
      PFrmList(std::make_unique<TFrmList>()) {
    CreateHint();
    OpenDocument = OpenWithDesktop;
    ExecModal = [](QDialog& dialog) { return dialog.exec(); };
}

TWebModule::~TWebModule() {
    StopOpenCopy();
    if (const std::optional<QRect> rect = PFrmList->LastRect()) {
        const auto config = GlobalConfig();
        config->SetPreviewRect(*rect);
        config->Save();
    }
    PFrmList->ReleaseAll();
}

bool TWebModule::TakeCommandFile() {
    const std::optional<TWebCmd> taken = TakeWebCmdFile(WebCmdFileName());
    if (!taken) return false;
    WebCommand().Add(*taken);
    return true;
}

bool TWebModule::RunQueuedCommand() {
    TWebCmd cmd;
    // Commands keep their order: the next one waits until the running download has ended.
    if (IsOpeningCopy() || !WebCommand().Pop(cmd)) return false;
    Execute(cmd);
    return true;
}

void TWebModule::DoWebMessage() {
    TakeCommandFile();
    RunQueuedCommand();
}

void TWebModule::Execute(const TWebCmd& cmd) {
    if (cmd.Cmd.isEmpty()) {
        ShowWebHint(u"Parameter error!"_s);
        return;
    }
    // A failing handler ends the command; the timer goes on with the next one.
    QString error;
    try {
        error = Dispatch(cmd);
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    ShowWebHint(error);
}

QString TWebModule::Dispatch(const TWebCmd& cmd) {
    switch (cmd.Code) {
        case WC_ToClipboard:
        case WC_ToClipboard2:
            return DoClipboardCmd(cmd.Cmd);
        case WC_Preview:
            return FForms.Preview ? FForms.Preview(cmd.Cmd) : NotAvailable();
        case WC_OpenCopy:
            return DoOpenCopy(cmd.Cmd);
        case WC_EditFile:
            return DoEditFile(cmd.Cmd);
        case WC_SetWorkPath:
            return DoSetWorkPath(cmd.Cmd);
        case WC_GetNewVer:
            return DoGetNewVer(cmd.Cmd);
        case WC_Checkout:
            return DoVersionControl(cmd.Cmd, FForms.Checkout);
        case WC_CancelCheckout:
            return DoVersionControl(cmd.Cmd, FForms.CancelCheckout);
        case WC_Checkin:
            return DoVersionControl(cmd.Cmd, FForms.Checkin);
        case WC_ScanUpload:
            return DoFolderForm(cmd.Cmd, FForms.ScanUpload);
        case WC_UploadFiles:
            return DoFolderForm(cmd.Cmd, FForms.UploadFiles);
        case WC_SmtpTest:
            return DoSmtpTest(cmd.Cmd);
        case WC_BatchDownload:
            return DoBatchDownload(cmd.Cmd);
        default:
            return {};  // nothing to do, nothing to show
    }
}

void TWebModule::ShowAsWindow(QWidget* form, const QString& caption,
                              std::function<void()> release) {
    PlaceAsViewerWindow(form, PMainFrm, FLastPreviewRect, caption);
    PFrmList->Add(form, std::move(release));
}

QString TWebModule::NotAvailable() const {
    return LangText(u"此功能尚未提供！"_s, u"This function is not available yet!"_s);
}

QString TWebModule::LangText(const QString& cn, const QString& eng) const {
    return FHS_Language == HSL_CN ? cn : eng;
}

}  // namespace ov

// The previewers embedded in the control: the built-in previewer by file-type code, AutoVue,
// eDrawings, the choice between them (CheckAvX), and the outside viewer program.

#include <QRegularExpression>
#include <QStackedLayout>

#include "control/members/members.h"
#include "control/members/viewers.h"
#include "control/object/quexformx.h"
#include "core/filetype.h"
#include "core/paths.h"
#include "documents/cad/axedselect.h"
#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"
#include "documents/preview/previewbase.h"
#include "documents/preview/previewhint.h"
#include "documents/viewerchoice/forms.h"
#include "documents/viewerchoice/lists.h"
#include "documents/viewerchoice/options.h"

using namespace Qt::StringLiterals;

namespace ov::control {
namespace {

const ViewerEnvironment* g_environment = nullptr;
ViewerAsk g_ask;

}  // namespace

void SetControlViewerEnvironment(const ViewerEnvironment* environment) {
    g_environment = environment;
}

void SetControlViewerAsk(ViewerAsk ask) {
    g_ask = std::move(ask);
}

const ViewerEnvironment& ControlViewerEnvironment() {
    return g_environment ? *g_environment : systemViewerEnvironment();
}

ViewerAsk ControlViewerAsk(TQuexFormX& self) {
    return g_ask ? g_ask : dialogViewerAsk(&self, self.FLanguage);
}

bool IsVersionedPrtName(const QString& FileName) {
    static const QRegularExpression versioned(u"\\.prt\\.[0-9]{1,5}$"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    return versioned.match(FileName).hasMatch();
}

}  // namespace ov::control

namespace ov::control::members {
namespace {

std::int64_t keyNumber(const QString& text) {
    return text.trimmed().toLongLong();  // 0 when it is not a number
}

int versionNumber(const QString& text, int otherwise) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : otherwise;
}

void showWaitWindow(TQuexFormX& self) {
    TPreViewHint* hint = self.HintOfPreviewFrm();
    hint->show();
    hint->raise();
    hint->activateWindow();
}

// The previewer's outside objects are closed before it goes.
void setPreviewer(TQuexFormX& self, TPreviewBaseFrm* form) {
    if (auto* old = qobject_cast<TPreviewBaseFrm*>(self.Forms.get(ChildForm::Previewer)))
        old->CloseOleObject();
    self.Forms.set(ChildForm::Previewer, nullptr);
    if (!form) return;
    QPointer<TPreviewBaseFrm> guarded(form);
    self.Forms.set(ChildForm::Previewer, form, [guarded] {
        if (guarded) guarded->CloseOleObject();
    });
}

// Every embedded form fills the control; the newest lies on top.
void fillControl(TQuexFormX& self, QWidget* form) {
    auto* stack = qobject_cast<QStackedLayout*>(self.layout());
    if (!stack && !self.layout()) {
        stack = new QStackedLayout(&self);
        stack->setStackingMode(QStackedLayout::StackAll);
        stack->setContentsMargins(0, 0, 0, 0);
    }
    form->setParent(&self, Qt::Widget);
    if (stack) stack->addWidget(form);
    form->show();
    form->raise();
}

// The form fills the control and shows the file.
void startPreview(TQuexFormX& self, TPreviewBaseFrm* form, int code, int fileVer,
                  std::int64_t fileKey) {
    form->PreViewHintFrm = self.HintOfPreviewFrm();
    ApplyDocumentOptions(*form, DocumentOptions::parse(self.FDocCmd));
    fillControl(self, form);
    form->ShowHTML(code, fileVer, fileKey);
}

QString noPreviewerText(const TQuexFormX& self, const QString& what) {
    return self.FLanguage == HSL_CN ? u"不能预览此类文件："_s + what
                                    : u"This type of file cannot be previewed: "_s + what;
}

}  // namespace

void PreView2(TQuexFormX& self, const QString& FileKey, const QString& ConvertType,
              const QString& FileVer) {
    showWaitWindow(self);
    setPreviewer(self, nullptr);
    const int code = versionNumber(ConvertType, 0);
    const BuiltInForm kind = BuiltInFormFor(code, ControlViewerEnvironment().pdfViewerType());
    if (kind == BuiltInForm::Chm) {
        // The help viewer is a Windows program: the page hears that the file cannot be shown.
        self.HintOfPreviewFrm()->ShowHint(noPreviewerText(self, u"chm"_s), 1);
        return;
    }
    TPreviewBaseFrm* form = CreateBuiltInForm(kind, &self, {});
    if (!form) {
        self.HintOfPreviewFrm()->hide();
        return;
    }
    setPreviewer(self, form);
    startPreview(self, form, code, versionNumber(FileVer, -1), keyNumber(FileKey));
}

void PreView(TQuexFormX& self, const QString& FileKey, const QString& ConvertType) {
    PreView2(self, FileKey, ConvertType, u"-1"_s);
}

void AxPreView2(TQuexFormX& self, const QString& FileKey, const QString& FileName,
                const QString& FileVer) {
    auto* form = new TAxPrewViewFrm(&self, {});
    self.Forms.set(ChildForm::AxPreviewer, form);  // an earlier AutoVue form goes
    form->SetCanPrint(self.FDocCmd.contains(u"CanPrint=True"_s));
    form->SetHashPs(GetHashPs(self.FDocCmd));
    form->ShowFile(keyNumber(FileKey), FileName, versionNumber(FileVer, -1));
    fillControl(self, form);
}

void AxPreview(TQuexFormX& self, const QString& FileKey, const QString& FileName) {
    AxPreView2(self, FileKey, FileName, u"-1"_s);
}

QString GetEModelVer(TQuexFormX&) {
    return GetEDrawingsVersion(ControlViewerEnvironment());
}

void EModelPreview(TQuexFormX& self, const QString& FileKey, const QString& FileName,
                   std::int32_t FileVer) {
    showWaitWindow(self);
    setPreviewer(self, nullptr);
    const QString version = GetEDrawingsVersion(ControlViewerEnvironment());
    TPreviewBaseFrm* form = CreateEDrawingsForm(version, &self, {});
    if (!form) form = new TEDrawingPreViewFrm2014(&self, {});  // later versions: the newest form
    setPreviewer(self, form);
    const std::int32_t code = FileExtToCode(ExtractFileExtNoDot(FileName).toLower());
    startPreview(self, form, code, FileVer, keyNumber(FileKey));
}

namespace {

bool officeFileOpensBuiltIn(const QString& ext) {
    const QString version = ControlViewerEnvironment().officeVersion(OfficeApplicationOf(ext));
    if (OfficeVersionAtLeast12(version)) return true;
    return !version.isEmpty() && (ext == u"doc"_s || ext == u"xls"_s || ext == u"ppt"_s);
}

std::int32_t chooseAmong(TQuexFormX& self, const QString& ext, const ViewerOffer& offer) {
    const ViewerChoiceContext ctx{self.FAppPath, &ControlViewerEnvironment(),
                                  ControlViewerAsk(self)};
    return ChooseAmongOffered(ext, offer, ctx);  // 0 when the user cancelled
}

}  // namespace

// 0 no way fits, 1 AutoVue, 2 a built-in previewer, 3 eDrawings, 4 CAXA.
std::int32_t CheckAvX(TQuexFormX& self, const QString& FileName) {
    const ViewerEnvironment& env = ControlViewerEnvironment();
    // A numbered part ("x.prt.3") is remembered and probed as "prt".
    const QString ext = IsVersionedPrtName(FileName) ? u"prt"_s
                                                     : ExtractFileExtNoDot(FileName).toLower();
    const std::int32_t code = FileExtToCode(ext);
    if (IsInExtList(3, code) && !self.FAutovuexOpenOfficeFile && officeFileOpensBuiltIn(ext))
        return VS_BuiltIn;
    if (ext == u"pdf"_s && env.pdfViewerType() > 0) return VS_BuiltIn;

    ViewerOffer offer;
    if (env.keyExists(u"autovuex.autovuexctrl.1\\CLSID"_s)) {
        if (FileName == u"generateMicPic*"_s) return VS_AutoVue;
        if (const auto version = AutoVueLibraryVersion(env)) {
            self.FAxVer =
                CompareVersionTexts(*version, u"20.0.0.0000"_s) > 0 ? u"2.0"_s : u"1.9"_s;
            if (BuiltInBeatsAutoVue(*version, code)) return VS_BuiltIn;
            offer.autoVue = true;
        }
    }
    offer.eDrawings = EDrawingsFits(env, code);
    offer.caxa = CaxaFits(env, code);
    const int ways = int(offer.autoVue) + int(offer.eDrawings) + int(offer.caxa);
    if (ways >= 2) return chooseAmong(self, ext, offer);
    if (offer.autoVue) return VS_AutoVue;
    if (offer.eDrawings) return VS_EDrawings;
    if (offer.caxa) return VS_Caxa;
    return IsInExtList(2, code) ? VS_BuiltIn : VS_None;
}

// The outside viewer is a Windows program: it is neither fetched nor started here; the wait
// window shows the hint for files that need an installed viewer, as OvClient does.
void ExtraViewer(TQuexFormX& self, const QString&, const QString&, const QString&, const QString&,
                 const QString&) {
    showWaitWindow(self);
    self.HintOfPreviewFrm()->ShowHint(EngineeringViewerInstallText(self.FLanguage), 1);
}

void ExtraViewerX86(TQuexFormX& self, const QString& FileName, const QString& FileKey,
                    const QString& FileVer, const QString& FileExt, const QString& ExtraViewerVer) {
    ExtraViewer(self, FileName, FileKey, FileVer, FileExt, ExtraViewerVer);
}

}  // namespace ov::control::members

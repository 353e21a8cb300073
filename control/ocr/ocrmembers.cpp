// The members LoadModiX, Ocr, GetModiFileName, ModiSelectFile, FreeModiFrm and OcrVer.

#include <QPointer>

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/ocr/modi.h"
#include "control/ocr/modiselectfilename.h"
#include "control/ocr/ocrengine.h"
#include "documents/preview/previewhint.h"

namespace ov::control::members {

namespace {

TModiFrm* ModiFrm(TQuexFormX& self) {
    return qobject_cast<TModiFrm*>(self.Forms.get(ChildForm::Ocr));
}

}  // namespace

void LoadModiX(TQuexFormX& self, const QString& FileName) {
    if (ModiFrm(self)) return;
    auto* form = new TModiFrm(self.FLanguage, &self);
    self.Forms.set(ChildForm::Ocr, form, [form] { form->CloseDoc(); });
    form->setGeometry(self.rect());
    TQuexFormX* control = &self;
    form->OnOCRProgress = [control](const QString& text) {
        control->HintOfPreviewFrm()->ShowHint(text, TPreViewHint::PictureWait);
    };
    form->OcrFileName = FileName;
    form->show();
    try {
        form->LoadDoc();
    } catch (...) {
        self.HintOfPreviewFrm()->hide();
        throw;
    }
    self.HintOfPreviewFrm()->hide();
}

QString Ocr(TQuexFormX& self) {
    const QPointer<TModiFrm> form = ModiFrm(self);
    if (!form) return {};
    form->Ocr();
    return form ? form->GetText() : QString();  // the form may have been freed meanwhile
}

void ModiSelectFile(TQuexFormX& self) {
    auto* chooser = new TSelectModiFileFrm(&self);
    TQuexFormX* control = &self;
    chooser->OnGetFile = [control](QObject*, const QString& fileName) {
        control->FModiFN = fileName;
    };
    chooser->setGeometry(1, 1, 450, 140);
    chooser->show();
    chooser->raise();
}

QString GetModiFileName(TQuexFormX& self) {
    return self.FModiFN;
}

void FreeModiFrm(TQuexFormX& self) {
    TModiFrm* form = ModiFrm(self);
    if (!form) return;
    self.HintOfPreviewFrm()->hide();
    form->CloseDoc();
    self.Forms.set(ChildForm::Ocr, nullptr);
}

QString OcrVer(TQuexFormX&) {
    return OcrDocument::EngineVersion();
}

}  // namespace ov::control::members

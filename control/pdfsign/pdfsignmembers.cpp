// The members NtkoPdfSignInit, NtkoPdfSvrDoLogin, NtkoPdfOpenFile, NtkoPdfSignedFileUpload and
// NtkoPdfCancelSign.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/pdfsign/ntkopdfsign.h"

namespace ov::control::members {

namespace {

TNtkoPdfSignFrm* SignFrm(TQuexFormX& self) {
    return qobject_cast<TNtkoPdfSignFrm*>(self.Forms.get(ChildForm::PdfSign));
}

}  // namespace

void NtkoPdfSignInit(TQuexFormX& self, const QString& Value1, const QString& Value2) {
    self.Forms.set(ChildForm::PdfSign, nullptr);  // the old form closes its control as it goes
    auto* form = new TNtkoPdfSignFrm();
    self.Forms.set(ChildForm::PdfSign, form, [form] { form->CloseOleObject(); });
    form->EmbedInto(&self);
    form->NtkoPdfSignInit(Value1, Value2);
}

void NtkoPdfSvrDoLogin(TQuexFormX& self, const QString& ServerUrl, const QString& UserName,
                       const QString& Password) {
    if (TNtkoPdfSignFrm* form = SignFrm(self))
        form->NtkoPdfSvrDoLogin(ServerUrl, UserName, Password);
}

void NtkoPdfOpenFile(TQuexFormX& self, const QString& FileKey, const QString& FileName) {
    if (TNtkoPdfSignFrm* form = SignFrm(self)) form->NtkoPdfOpenFile(FileKey, FileName);
}

ovcom::VARIANT_BOOL NtkoPdfSignedFileUpload(TQuexFormX& self) {
    TNtkoPdfSignFrm* form = SignFrm(self);
    return ovcom::toVariantBool(form && form->NtkoPdfSignedFileUplaod());
}

void NtkoPdfCancelSign(TQuexFormX& self) {
    TNtkoPdfSignFrm* form = SignFrm(self);
    if (!form) return;
    form->CancelEdit();
    self.Forms.set(ChildForm::PdfSign, nullptr);
}

}  // namespace ov::control::members

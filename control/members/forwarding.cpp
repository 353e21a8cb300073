// The page's commands to whatever previewer is open in the control: print, print preview,
// revisions, find, navigation pane, save as, size.

#include "control/members/members.h"
#include "control/members/messages.h"
#include "control/object/quexformx.h"
#include "documents/cad/axprewview.h"
#include "documents/office/officepreview.h"
#include "documents/preview/previewbase.h"

using namespace Qt::StringLiterals;
using ov::ovcom::VARIANT_BOOL;

namespace ov::control::members {
namespace {

TPreviewBaseFrm* previewer(const TQuexFormX& self) {
    return qobject_cast<TPreviewBaseFrm*>(self.Forms.get(ChildForm::Previewer));
}

// The previewer when it is the Office previewer.
TOfficeFilePreviewFrm* officePreviewer(const TQuexFormX& self) {
    return qobject_cast<TOfficeFilePreviewFrm*>(self.Forms.get(ChildForm::Previewer));
}

TAxPrewViewFrm* autoVue(const TQuexFormX& self) {
    return qobject_cast<TAxPrewViewFrm*>(self.Forms.get(ChildForm::AxPreviewer));
}

constexpr ControlText kVirtualPrinter{
    u"本机存在虚拟打印机，系统禁止打印此文档！",
    u"Print function is forbidden because there is virtual printer in the local computer."};

}  // namespace

void Print(TQuexFormX& self, const QString& EffCode) {
    if (TPreviewBaseFrm* form = previewer(self)) {
        if (form->DocReadonly() && !form->SelectPrinter() && form->DefaultPrinterIsVirtual()) {
            ShowControlError(self, ControlMessage(self, kVirtualPrinter));
            return;
        }
        form->Print(EffCode);
    }
    if (TAxPrewViewFrm* ax = autoVue(self)) ax->Print(EffCode);
}

void PrintPreview(TQuexFormX& self) {
    if (TAxPrewViewFrm* ax = autoVue(self)) ax->PrintPreview();
}

void PrintPreviewExit(TQuexFormX& self) {
    if (TPreviewBaseFrm* form = previewer(self)) form->PrintPreviewExit();
    if (TAxPrewViewFrm* ax = autoVue(self)) ax->PrintPreviewExit();
}

void TrackRevisions(TQuexFormX& self, VARIANT_BOOL VBool) {
    if (auto* office = officePreviewer(self)) office->TrackRevisions(VBool != ovcom::VARIANT_FALSE);
}

void ShowRevisions(TQuexFormX& self, VARIANT_BOOL VBool) {
    if (auto* office = officePreviewer(self)) office->ShowRevisions(VBool != ovcom::VARIANT_FALSE);
}

void AcceptRevisions(TQuexFormX& self) {
    if (auto* office = officePreviewer(self)) office->AcceptRevisions();
}

QString RevisionAndUpload(TQuexFormX& self) {
    auto* office = officePreviewer(self);
    return office ? office->RevisionAndUpload() : QString();
}

void SaveAs(TQuexFormX& self, const QString& Fn) {
    if (TPreviewBaseFrm* form = previewer(self)) form->SaveAs(Fn);
}

void EditFind(TQuexFormX& self) {
    if (auto* office = officePreviewer(self)) office->EditFind();
}

void NavPaneVisible(TQuexFormX& self, VARIANT_BOOL B) {
    if (auto* office = officePreviewer(self)) office->NavPaneVisible(B != ovcom::VARIANT_FALSE);
}

void ClientMaxSize(TQuexFormX& self, float IeVer) {
    if (TPreviewBaseFrm* form = previewer(self)) form->ClientMaxSize(IeVer);
}

VARIANT_BOOL IsExistVirtualPrinter(TQuexFormX&) {
    return ovcom::toVariantBool(TPreviewBaseFrm::HasVirtualPrinter());
}

VARIANT_BOOL get_CanPrint(TQuexFormX&) {
    return ovcom::VARIANT_FALSE;
}

void put_CanPrint(TQuexFormX&, VARIANT_BOOL) {}

}  // namespace ov::control::members

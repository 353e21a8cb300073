// The members WebCamOpen, ReadCode and WebCamFree.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/qrcode/webcammain.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {

namespace {

TQrCodeScanFrm* ScanFrm(TQuexFormX& self) {
    return self.findChild<TQrCodeScanFrm*>(u"QrCodeScanFrm"_s, Qt::FindDirectChildrenOnly);
}

}  // namespace

void WebCamOpen(TQuexFormX& self) {
    TQrCodeScanFrm* form = ScanFrm(self);
    if (!form) {
        form = new TQrCodeScanFrm(self.FLanguage, &self);
        form->setGeometry(self.rect());
        form->Init();
    }
    form->show();
    form->VideoStart();
}

QString ReadCode(TQuexFormX& self) {
    TQrCodeScanFrm* form = ScanFrm(self);
    return form ? form->SnapshotAndReadCode() : QString();
}

void WebCamFree(TQuexFormX& self) {
    TQrCodeScanFrm* form = ScanFrm(self);
    if (!form) return;
    form->VideoStop();
    delete form;
}

}  // namespace ov::control::members

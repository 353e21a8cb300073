// Scanning from the page: the capture window fills the control (made once, kept until the page
// frees it), acquires pages and uploads them into the server folder the page named.

#include "control/members/embed.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "documents/capture/twainxefrm.h"
#include "platform/camera/qtcamera.h"

namespace ov::control::members {
namespace {

TTwainXeFrm* scanForm(const TQuexFormX& self) {
    return self.findChild<TTwainXeFrm*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace

void TwainInit(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    TTwainXeFrm* form = scanForm(self);
    if (!form) {
        form = new TTwainXeFrm(&self, new platform::QtCamera);
        form->hide();
        FillControl(self, form);
        form->VideoInit();
    }
    form->UploadOwnerId = OwnerId.trimmed().toInt();  // 0 when it is not a number
    form->UploadFolderId = FolderId.trimmed().toInt();
    form->show();
    form->raise();
}

void TwainAcquire(TQuexFormX& self) {
    if (TTwainXeFrm* form = scanForm(self)) form->Acquire();
}

QString TwainUpload(TQuexFormX& self) {
    TTwainXeFrm* form = scanForm(self);
    return form ? form->Upload() : QString();
}

void TwainFree(TQuexFormX& self) {
    delete scanForm(self);
}

}  // namespace ov::control::members

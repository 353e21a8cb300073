// The member GenerateMicPic: the thumbnails window, shown and left to the user.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/thumbnails/generatemicpicfrm.h"

namespace ov::control::members {

void GenerateMicPic(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    auto* form = new TGenerateMicPicFrm(self.FLanguage, &self);  // frees itself when closed
    form->Init(OwnerId.trimmed().toInt(), FolderId.trimmed().toLongLong());
    form->show();
}

}  // namespace ov::control::members

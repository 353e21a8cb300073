// The member PrintImgEx: the printing dialog, modal; the keys that printed when it ends with OK.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/printimages/printimgfrm.h"
#include "platform/widgets/systemprinters.h"

#include <memory>

namespace ov::control::members {

QString PrintImgEx(TQuexFormX& self, const QString& FileKey, const QString& FileVer,
                   const QString& ImageIndex) {
    auto dialog = std::make_unique<TTPrintImgFrm>(self.FLanguage, platform::printerSource(), &self);
    dialog->ImgFileKey = FileKey;
    dialog->FileVer = FileVer;
    dialog->Index = ImageIndex;
    return dialog->exec() == QDialog::Accepted ? dialog->ImgFileKey2 : QString();
}

}  // namespace ov::control::members

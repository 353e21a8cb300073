#include "client/viewerchoiceforms.h"

#include "documents/previewbase.h"

namespace ov {

TPreviewBaseFrm* CreateBuiltInForm(BuiltInForm kind, QWidget* owner, Qt::WindowFlags flags) {
    switch (kind) {
        case BuiltInForm::Office:
        case BuiltInForm::Pdf:
        case BuiltInForm::FoxitPdf:
        case BuiltInForm::SSrs:
        // Forms still to come: Visio and Project, CorelDRAW, the reader controls, web pages
        // and rich text. The help viewer is a Windows program and is never started here.
        case BuiltInForm::Vsd:
        case BuiltInForm::Mpp:
        case BuiltInForm::Cdr:
        case BuiltInForm::Ceb:
        case BuiltInForm::Gwd:
        case BuiltInForm::Exb:
        case BuiltInForm::Caj:
        case BuiltInForm::Rtf:
        case BuiltInForm::Mht:
        case BuiltInForm::Eml:
        case BuiltInForm::Chm:
        case BuiltInForm::None:
            break;
    }
    Q_UNUSED(owner);
    Q_UNUSED(flags);
    return nullptr;
}

}  // namespace ov

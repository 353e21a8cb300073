#include "client/viewerchoice/forms.h"

#include "documents/pdf/foxitpdfreader.h"
#include "documents/office/officepreview.h"
#include "documents/pdf/pdfpreview.h"
#include "documents/preview/previewbase.h"
#include "documents/pdf/ssrspreview.h"

namespace ov {

TPreviewBaseFrm* CreateBuiltInForm(BuiltInForm kind, QWidget* owner, Qt::WindowFlags flags) {
    switch (kind) {
        case BuiltInForm::Office:
            return new TOfficeFilePreviewFrm(owner, flags);
        case BuiltInForm::Pdf:
            return new TPdfPreviewFrm(owner, flags);
        case BuiltInForm::FoxitPdf:
            return new TFoxitPdfReaderFrm(owner, flags);
        case BuiltInForm::SSrs:
            return new TSSrsPreviewFrm(owner, flags);
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
    return nullptr;
}

}  // namespace ov

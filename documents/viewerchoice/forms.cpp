#include "documents/viewerchoice/forms.h"

#include "documents/drawings/cdrpreview.h"
#include "documents/drawings/mpppreview.h"
#include "documents/drawings/vsdpreview.h"
#include "documents/pdf/foxitpdfreader.h"
#include "documents/office/officepreview.h"
#include "documents/pdf/pdfpreview.h"
#include "documents/preview/previewbase.h"
#include "documents/readers/cebpreview.h"
#include "documents/readers/readerpreview.h"
#include "documents/pdf/ssrspreview.h"
#include "documents/web/emlpreview.h"
#include "documents/web/mhtpreview.h"
#include "documents/web/rtfpreview.h"

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
        case BuiltInForm::Vsd:
            return new TVsdPreviewFrm(owner, flags);
        case BuiltInForm::Mpp:
            return new TMppPreviewFrm(owner, flags);
        case BuiltInForm::Cdr:
            return new TCdrPreviewFrm(owner, flags);
        case BuiltInForm::Ceb:
            return new TCebPreviewFrm(owner, flags);
        case BuiltInForm::Gwd:
            return new TGwdPreviewFrm(owner, flags);
        case BuiltInForm::Exb:
            return new TExbPreviewFrm(owner, flags);
        case BuiltInForm::Caj:
            return new TCajPreviewFrm(owner, flags);
        case BuiltInForm::Rtf:
            return new TRtfPreviewFrm(owner, flags);
        case BuiltInForm::Mht:
            return new TMhtPreviewFrm(owner, flags);
        case BuiltInForm::Eml:
            return new TEmlPreviewFrm(owner, flags);
        // The help viewer is a Windows program and is never started here.
        case BuiltInForm::Chm:
        case BuiltInForm::None:
            break;
    }
    return nullptr;
}

}  // namespace ov

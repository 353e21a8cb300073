#include "documents/pdf/pdfviewertype.h"

#include "platform/viewerprobe.h"

namespace ov {

int GetPdfViewerType() {
    return platform::pdfViewerType(platform::viewerProbe());
}

}  // namespace ov

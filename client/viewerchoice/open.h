#pragma once
// Opening the viewer the choice decided on. Each returns the error text for the dispatcher to
// show ("" when the viewer opened or reports in the hint window itself).

#include <QString>
#include <cstdint>

#include "client/viewerchoice/viewerchoice.h"

namespace ov {

struct PreviewRequest {
    std::int64_t fileKey = 0;
    int fileVer = -1;
    QString fileName;
    QString options;  // the document options ("ctparams")
    QString ext;      // lower case, without the dot
    std::int32_t code = 0;
};

// The hint for files no installed viewer can show (engineering drawings).
QString ViewerInstallText(THS_Language language);
// The hint for an eDrawings version too new for the program.
QString EDrawingsTooNewText(THS_Language language);
// The hint for a file type that no previewer of this program shows.
QString NoPreviewerText(THS_Language language, const QString& ext);

QString OpenBuiltInPreview(const PreviewRequest& request, PreviewHost& host,
                           const ViewerEnvironment& environment);
// Versions up to 14.0 open an eDrawings form, up to 20.0 the outside viewer program, later
// ones give the too-new hint.
QString OpenEDrawings(const PreviewRequest& request, PreviewHost& host, const QString& version);
QString OpenAutoVue(const PreviewRequest& request, PreviewHost& host);

}  // namespace ov

#include "client/viewerchoice/open.h"

#include <QWidget>
#include <functional>

#include "documents/viewerchoice/forms.h"
#include "documents/viewerchoice/lists.h"
#include "documents/viewerchoice/options.h"
#include "documents/cad/axedselect.h"
#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"
#include "documents/preview/viewerwindow.h"
#include "documents/preview/previewbase.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// What differs between the kinds of viewer form in the one way they are opened.
struct ViewerFormSteps {
    // Hands the form the shared hint window and the document options it takes.
    std::function<void(const DocumentOptions& options)> prepare;
    // Starts loading the file into the shown form.
    std::function<void()> start;
};

// The one way a viewer form is opened, whatever its kind:
//  1. the host lists it (from then on the host releases and frees it);
//  2. the form gets the hint window and the document options;
//  3. it becomes a free window at the host's rectangle, with the file name as caption;
//  4. it is shown and starts loading the file;
//  5. it comes to the front.
void openViewerForm(QWidget* form, const PreviewRequest& request, PreviewHost& host,
                    const ViewerFormSteps& steps) {
    host.addForm(form);
    steps.prepare(DocumentOptions::parse(request.options));
    PlaceAsViewerWindow(form, host.mainWindow(), host.lastPreviewRect(), request.fileName);
    form->show();
    steps.start();
    bringToFront(form);
}

// A previewer takes every document option (a read-only document keeps its right-click guard).
void preparePreviewForm(TPreviewBaseFrm* form, TPreViewHint* hint, const DocumentOptions& options) {
    form->PreViewHintFrm = hint;
    ApplyDocumentOptions(*form, options);
}

// A previewer shows the file through ShowHTML, then takes its full size.
void openPreviewForm(TPreviewBaseFrm* form, const PreviewRequest& request, PreviewHost& host) {
    TPreViewHint* hint = host.hintWindow();
    const auto prepare = [form, hint](const DocumentOptions& options) {
        preparePreviewForm(form, hint, options);
    };
    const auto start = [form, &request] {
        form->ShowHTML(request.code, request.fileVer, request.fileKey);
        form->ClientMax2();
    };
    openViewerForm(form, request, host, {prepare, start});
}

// The outside eDrawings viewer program is a Windows program; it is neither fetched nor
// started here.
QString OpenExtViewer(const PreviewHost& host) {
    return EngineeringViewerInstallText(host.language());
}

QString OpenEDrawingsForm(const PreviewRequest& request, PreviewHost& host,
                          const QString& version) {
    TEDrawingPreViewBase* form =
        CreateEDrawingsForm(version, host.mainWindow(), kViewerWindowFlags);
    if (form) openPreviewForm(form, request, host);
    return {};
}

}  // namespace

QString ViewerInstallText(THS_Language language) {
    return EngineeringViewerInstallText(language);
}

QString EDrawingsTooNewText(THS_Language language) {
    return language == HSL_CN ? u"安装SolidWorks eDrawings Viewer 2020版本，或者联系我们!"_s
                              : u"Install SolidWorks eDrawings Viewer 2020"_s;
}

QString NoPreviewerText(THS_Language language, const QString& ext) {
    return language == HSL_CN ? u"不能预览此类文件："_s + ext
                              : u"This type of file cannot be previewed: "_s + ext;
}


QString OpenBuiltInPreview(const PreviewRequest& request, PreviewHost& host,
                           const ViewerEnvironment& environment) {
    const BuiltInForm kind = BuiltInFormFor(request.code, environment.pdfViewerType());
    TPreviewBaseFrm* form = CreateBuiltInForm(kind, host.mainWindow(), kViewerWindowFlags);
    if (!form) return NoPreviewerText(host.language(), request.ext);
    // The wait window comes up first; the previewer then opens over it.
    if (TPreViewHint* hint = host.hintWindow()) bringToFront(hint);
    openPreviewForm(form, request, host);
    return {};
}

QString OpenEDrawings(const PreviewRequest& request, PreviewHost& host, const QString& version) {
    if (CompareVersionTexts(version, u"14.0"_s) <= 0)
        return OpenEDrawingsForm(request, host, version);
    if (CompareVersionTexts(version, u"20.0"_s) <= 0) return OpenExtViewer(host);
    return EDrawingsTooNewText(host.language());
}

QString OpenAutoVue(const PreviewRequest& request, PreviewHost& host) {
    // The AutoVue form reports in its own window and takes only the print options.
    auto* form = new TAxPrewViewFrm(host.mainWindow(), kViewerWindowFlags);
    const auto prepare = [form](const DocumentOptions& options) {
        form->SetCanPrint(options.canPrint);
        form->SetHashPs(options.hashPs);
    };
    const auto start = [form, &request] {
        form->ShowFile(request.fileKey, request.fileName, request.fileVer);
    };
    openViewerForm(form, request, host, {prepare, start});
    return {};
}

}  // namespace ov

#include "client/viewerchoiceopen.h"

#include <QWidget>

#include "client/viewerchoiceforms.h"
#include "client/viewerchoicelists.h"
#include "client/viewerchoiceoptions.h"
#include "documents/cad/axedselect.h"
#include "documents/cad/axprewview.h"
#include "documents/cad/edrawings.h"
#include "documents/preview/previewbase.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr Qt::WindowFlags kViewerWindow = Qt::Window | Qt::WindowStaysOnTopHint;

// A free window at the dispatcher's rectangle (a rectangle never stored keeps the form's size).
void placeAsWindow(QWidget* form, const PreviewHost& host, const QString& caption) {
    const QRect rect = host.lastPreviewRect();
    if (rect.width() > 0 && rect.height() > 0) form->setGeometry(rect);
    form->setWindowTitle(caption);
}

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void applyOptions(TPreviewBaseFrm* form, const DocumentOptions& options) {
    form->SetHashPs(options.hashPs);
    form->SetDocReadonly(options.readonly);
    form->SetCanPrint(options.canPrint);
    form->SetIsCheckVirtualPrint(options.checkVirtualPrint);
    form->SetSelectPrinter(options.selectPrinter);
    SetAllowCtrlC(options.allowCtrlC);
}

// The outside eDrawings viewer program is a Windows program; it is neither fetched nor
// started here.
QString OpenExtViewer(const PreviewHost& host) {
    return EngineeringViewerInstallText(host.language());
}

QString OpenEDrawingsForm(const PreviewRequest& request, PreviewHost& host,
                          const QString& version) {
    TEDrawingPreViewBase* form = CreateEDrawingsForm(version, host.mainWindow(), kViewerWindow);
    if (!form) return {};
    host.addForm(form);
    form->PreViewHintFrm = host.hintWindow();
    placeAsWindow(form, host, request.fileName);
    form->show();
    // All the document options, so that a read-only document keeps its right-click guard.
    applyOptions(form, DocumentOptions::parse(request.options));
    form->ShowHTML(request.code, request.fileVer, request.fileKey);
    bringToFront(form);
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

QString GetEDrawingsVersion(const ViewerEnvironment& environment) {
    QString version;
    if (const auto classId = environment.keyDefault(u"EModelView.EModelViewApp\\CLSID"_s))
        version =
            environment.keyDefault(u"CLSID\\"_s + *classId + u"\\Version"_s).value_or(QString());
    if (!version.isEmpty()) return version;
    const auto control = environment.keyDefault(u"EModelView.EModelViewControl\\CLSID"_s);
    if (!control || control->isEmpty()) return {};
    const QString curVer =
        environment.keyDefault(u"EModelView.EModelViewControl\\CurVer"_s).value_or(QString());
    QStringList items;
    for (const QString& item : curVer.split(u'.')) {
        if (!item.trimmed().isEmpty()) items.append(item.trimmed());
    }
    return items.isEmpty() ? QString() : items.last();
}

QString OpenBuiltInPreview(const PreviewRequest& request, PreviewHost& host,
                           const ViewerEnvironment& environment) {
    const BuiltInForm kind = BuiltInFormFor(request.code, environment.pdfViewerType());
    TPreviewBaseFrm* form = CreateBuiltInForm(kind, host.mainWindow(), kViewerWindow);
    if (!form) return NoPreviewerText(host.language(), request.ext);
    if (TPreViewHint* hint = host.hintWindow()) bringToFront(hint);
    host.addForm(form);
    form->PreViewHintFrm = host.hintWindow();
    form->setWindowTitle(request.fileName);
    applyOptions(form, DocumentOptions::parse(request.options));
    placeAsWindow(form, host, request.fileName);
    form->show();
    form->ShowHTML(request.code, request.fileVer, request.fileKey);
    form->ClientMax2();
    return {};
}

QString OpenEDrawings(const PreviewRequest& request, PreviewHost& host, const QString& version) {
    if (CompareVersionTexts(version, u"14.0"_s) <= 0)
        return OpenEDrawingsForm(request, host, version);
    if (CompareVersionTexts(version, u"20.0"_s) <= 0) return OpenExtViewer(host);
    return EDrawingsTooNewText(host.language());
}

QString OpenAutoVue(const PreviewRequest& request, PreviewHost& host) {
    auto* form = new TAxPrewViewFrm(host.mainWindow(), kViewerWindow);
    placeAsWindow(form, host, request.fileName);
    const DocumentOptions options = DocumentOptions::parse(request.options);
    form->SetCanPrint(options.canPrint);
    form->SetHashPs(options.hashPs);
    form->ShowFile(request.fileKey, request.fileName, request.fileVer);
    bringToFront(form);
    host.addForm(form);
    return {};
}

}  // namespace ov

#include "documents/cad/axprewview.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>

#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/cad/axedselect.h"
#include "documents/preview/previewdownload.h"

using namespace Qt::StringLiterals;

namespace ov {

// What the form and its download worker share. The worker never touches the form itself: it
// reads `form` under the lock, and the form's destructor clears it under the same lock.
struct AutoVueDownloadState {
    std::atomic<bool> cancel{false};
    std::mutex mutex;
    TAxPrewViewFrm* form = nullptr;
};

namespace {

AutoVueControlFactory& controlFactory() {
    static AutoVueControlFactory factory;
    return factory;
}

// This system has no AutoVue control; only a factory put in place creates one.
AutoVueControl* createControl(QWidget* parent) {
    const auto& factory = controlFactory();
    return factory ? factory(parent) : nullptr;
}

}  // namespace

void SetAutoVueControlFactory(AutoVueControlFactory factory) {
    controlFactory() = std::move(factory);
}

QString SafeLocalFileName(const QString& fileName) {
    const qsizetype cut = qMax(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const QString name = fileName.mid(cut + 1);
    if (name.isEmpty() || name == u"."_s || name == u".."_s || name.contains(QChar(0))) return {};
    return name;
}

TAxPrewViewFrm::TAxPrewViewFrm(QWidget* owner, Qt::WindowFlags flags) : QWidget(owner, flags) {
    resize(831, 580);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    FitTimer = new QTimer(this);
    FitTimer->setObjectName(u"Timer2"_s);
    FitTimer->setInterval(500);
    connect(FitTimer, &QTimer::timeout, this, &TAxPrewViewFrm::FollowContainer);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FControl = createControl(this);
    if (FControl) {
        layout->addWidget(FControl);
    } else {
        FMissing = new QLabel(EngineeringViewerInstallText(GlobalConfig()->SysLanguage()), this);
        FMissing->setWordWrap(true);
        FMissing->setAlignment(Qt::AlignCenter);
        layout->addWidget(FMissing);
    }

    // Covers the control's top-left corner.
    CornerCover = new QWidget(this);
    CornerCover->setObjectName(u"Pan1"_s);
    CornerCover->setGeometry(6, 6, 24, 22);
    CornerCover->setAutoFillBackground(true);
    QPalette face = CornerCover->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    CornerCover->setPalette(face);
    CornerCover->raise();

    FRoot = GetLocalTempPath();
    const auto config = GlobalConfig();
    FUserIdStr = config->EncryptUserID();
    FServerHost = config->ServerHost();
    FServerPort = config->ServerPort();
    FIsSSL = config->IsSSL();
    FHS_Language = config->SysLanguage();
}

TAxPrewViewFrm::~TAxPrewViewFrm() {
    FitTimer->stop();
    if (FDownload) {
        std::lock_guard lock(FDownload->mutex);
        FDownload->form = nullptr;
        FDownload->cancel = true;
    }
    delete FControl;
    FControl = nullptr;
    if (!FFilePathAndName.isEmpty()) RemovePreviewCopy(FFilePathAndName);
}

QString TAxPrewViewFrm::MissingText() const {
    return FMissing ? FMissing->text() : QString();
}

bool TAxPrewViewFrm::IsDownloading() const {
    return FDownload != nullptr;
}

void TAxPrewViewFrm::ShowFile(std::int64_t FileKey, const QString& FileName, int FileVer) {
    if (!FCanPrint && FControl) FControl->SetPrintOptions(u"PRINT_OPT_DISABLE_PRINT"_s, u"TRUE"_s);
    const QString name = SafeLocalFileName(FileName);
    if (name.isEmpty() || FDownload) {
        FitTimer->start();
        return;
    }
    FFilePathAndName = FRoot + name;

    PreviewDownloadRequest request;
    request.host = FServerHost;
    request.port = static_cast<quint16>(FServerPort);
    request.isSsl = FIsSSL;
    request.userIdStr = FUserIdStr;
    request.language = FHS_Language;
    request.hashPs = FHashPs;
    request.fileVer = FileVer;
    request.fileKey = FileKey;
    request.destPath = FFilePathAndName;

    auto state = std::make_shared<AutoVueDownloadState>();
    state->form = this;
    FDownload = state;
    platform::StartPooled(PreviewThreadPool(), [state, request] {
        const PreviewDownloadResult result = RunPreviewDownload(request, &state->cancel);
        std::lock_guard lock(state->mutex);
        // A form closed meanwhile leaves no copy behind (its destructor removes a copy that
        // was complete before it ran).
        if (!state->form) {
            if (result.ok) RemovePreviewCopy(request.destPath);
            return;
        }
        // Posted while the form cannot go away; a form freed before the call runs takes the
        // call with it.
        TAxPrewViewFrm* form = state->form;
        QMetaObject::invokeMethod(
            form,
            [form, state, ok = result.ok] {
                if (form->FDownload != state) return;
                form->FinishDownload(ok);
            },
            Qt::QueuedConnection);
    });
    FitTimer->start();
}

void TAxPrewViewFrm::FinishDownload(bool ok) {
    FDownload.reset();
    // A failed download leaves the viewer empty and shows nothing.
    if (ok && FControl) FControl->SetSRC(FFilePathAndName);
    emit fileShown(ok);
}

void TAxPrewViewFrm::Print(const QString&) {
    if (FControl) FControl->PrintIt(true);
}

void TAxPrewViewFrm::PrintPreview() {
    if (FControl) FControl->PrintPreview(true, true);
}

// Inside a container, the form and the control follow the container's size.
void TAxPrewViewFrm::FollowContainer() {
    QWidget* parent = parentWidget();
    if (!parent || isWindow() || !FControl) return;
    const QSize size = parent->size();
    if (qAbs(size.height() - FControl->height()) <= 5 && qAbs(size.width() - FControl->width()) < 6)
        return;
    setGeometry(0, 0, size.width() - 1, size.height() - 1);
    CornerCover->setGeometry(6, 6, 24, 22);
    CornerCover->show();
    CornerCover->raise();
}

}  // namespace ov

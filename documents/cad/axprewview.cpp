#include "documents/cad/axprewview.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>

#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/cad/axedselect.h"
#include "documents/preview/previewdownload.h"

using namespace Qt::StringLiterals;

namespace ov {

struct AutoVueDownloadState {
    std::atomic<bool> cancel{false};
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

    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &TAxPrewViewFrm::Timer2Timer);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    AxPreview = createControl(this);
    if (AxPreview) {
        layout->addWidget(AxPreview);
    } else {
        FMissing = new QLabel(EngineeringViewerInstallText(GlobalConfig()->SysLanguage()), this);
        FMissing->setWordWrap(true);
        FMissing->setAlignment(Qt::AlignCenter);
        layout->addWidget(FMissing);
    }

    // Covers the control's top-left corner.
    Pan1 = new QWidget(this);
    Pan1->setGeometry(6, 6, 24, 22);
    Pan1->setAutoFillBackground(true);
    QPalette face = Pan1->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    Pan1->setPalette(face);
    Pan1->raise();

    FRoot = GetLocalTempPath();
    const auto config = GlobalConfig();
    FUserIdStr = config->EncryptUserID();
    FServerHost = config->ServerHost();
    FServerPort = config->ServerPort();
    FIsSSL = config->IsSSL();
    FHS_Language = config->SysLanguage();
}

TAxPrewViewFrm::~TAxPrewViewFrm() {
    Timer2->stop();
    if (m_download) m_download->cancel = true;
    delete AxPreview;
    AxPreview = nullptr;
    if (!FFilePathAndName.isEmpty()) RemovePreviewCopy(FFilePathAndName);
}

QString TAxPrewViewFrm::MissingText() const {
    return FMissing ? FMissing->text() : QString();
}

bool TAxPrewViewFrm::IsDownloading() const {
    return m_download != nullptr;
}

void TAxPrewViewFrm::ShowFile(std::int64_t FileKey, const QString& FileName, int FileVer) {
    if (!FCanPrint && AxPreview)
        AxPreview->SetPrintOptions(u"PRINT_OPT_DISABLE_PRINT"_s, u"TRUE"_s);
    const QString name = SafeLocalFileName(FileName);
    if (name.isEmpty() || m_download) {
        Timer2->start();
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
    m_download = state;
    QPointer<TAxPrewViewFrm> self(this);
    PreviewThreadPool().start([state, request, self] {
        const PreviewDownloadResult result = RunPreviewDownload(request, &state->cancel);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [state, request, self, result] {
            // A form closed meanwhile leaves no copy behind.
            if (!self || state->cancel) {
                if (result.ok) RemovePreviewCopy(request.destPath);
                return;
            }
            self->FinishDownload(result.ok);
        });
    });
    Timer2->start();
}

void TAxPrewViewFrm::FinishDownload(bool ok) {
    m_download.reset();
    // A failed download leaves the viewer empty and shows nothing.
    if (ok && AxPreview) AxPreview->SetSRC(FFilePathAndName);
    emit fileShown(ok);
}

void TAxPrewViewFrm::Print(const QString&) {
    if (AxPreview) AxPreview->PrintIt(true);
}

void TAxPrewViewFrm::PrintPreview() {
    if (AxPreview) AxPreview->PrintPreview(true, true);
}

// Inside a container, the form and the control follow the container's size.
void TAxPrewViewFrm::Timer2Timer() {
    QWidget* parent = parentWidget();
    if (!parent || isWindow() || !AxPreview) return;
    const QSize size = parent->size();
    if (qAbs(size.height() - AxPreview->height()) <= 5 &&
        qAbs(size.width() - AxPreview->width()) < 6)
        return;
    setGeometry(0, 0, size.width() - 1, size.height() - 1);
    Pan1->setGeometry(6, 6, 24, 22);
    Pan1->show();
    Pan1->raise();
}

}  // namespace ov

// The base form of the previewers: construction from the settings, the properties, the
// defaults of the virtual operations and the preview sequence.

#include "documents/preview/previewbase.h"

#include "core/globalconfig.h"
#include "core/paths.h"

#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TPreviewBaseFrm::TPreviewBaseFrm(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    FRoot = GetLocalTempPath();
    const auto config = GlobalConfig();
    FUserIdStr = config->EncryptUserID();
    FServerHost = config->ServerHost();
    FServerPort = config->ServerPort();
    FIsSSL = config->IsSSL();
    FHS_Language = config->SysLanguage();
    FPrintPolicy = PreviewPrintPolicy(Server());
    LoadLangStrings();
}

// The input restrictions go with FInput.
TPreviewBaseFrm::~TPreviewBaseFrm() {
    StopDownload();
}

void TPreviewBaseFrm::EmbedInto(QWidget* container) {
    setParent(container, Qt::Widget);
    if (!container) return;
    QLayout* layout = container->layout();
    if (!layout) {
        layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(this);
    show();
}

bool TPreviewBaseFrm::CheckViewer() {
    return false;
}

void TPreviewBaseFrm::LoadLocalFile(int, const QString&) {}

void TPreviewBaseFrm::ShowHTML(int FileType, int FileVer, std::int64_t FileKey) {
    FFileId = FileKey;
    QTimer::singleShot(100, this, [this, FileType, FileVer, FileKey] {
        if (CheckViewer()) PreviewEx(FileType, FileVer, FileKey);
    });
}

void TPreviewBaseFrm::CloseOleObject() {}
void TPreviewBaseFrm::Print(const QString&) {}
void TPreviewBaseFrm::PrintPreview() {}
void TPreviewBaseFrm::PrintPreviewExit() {}
void TPreviewBaseFrm::TrackRevisions(bool) {}
void TPreviewBaseFrm::ShowRevisions(bool) {}
void TPreviewBaseFrm::AcceptRevisions() {}
void TPreviewBaseFrm::SaveAs(const QString&) {}
void TPreviewBaseFrm::ClientMaxSize(float) {}
void TPreviewBaseFrm::ClientMax2() {}

void TPreviewBaseFrm::ShowHintText(const QString& text, int pictureNum) {
    if (PreViewHintFrm) PreViewHintFrm->ShowHint(text, pictureNum);
}

QWidget* FindChildWindow(QWidget* Parent, const QString& Text) {
    if (!Parent || Text.isEmpty()) return nullptr;
    const auto children = Parent->findChildren<QWidget*>();
    for (QWidget* child : children) {
        // Class name and text are read with 128-character buffers.
        const QString line = QString::number(quintptr(child)) + u"--"_s +
                             QString::fromLatin1(child->metaObject()->className()).left(127) +
                             u"--"_s + child->windowTitle().left(127);
        if (line.indexOf(Text) > 0) return child;
    }
    return nullptr;
}

}  // namespace ov

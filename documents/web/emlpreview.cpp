#include "documents/web/emlpreview.h"

#include "core/globalconfig.h"
#include "documents/web/emlheader.h"
#include "platform/mime/attachmentfile.h"
#include "platform/mime/mimecharset.h"
#include "platform/widgets/desktopopen.h"

#include <QFile>
#include <QFont>
#include <QFileInfo>
#include <QMessageBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The file's name up to and including its last "." followed by "mht".
QString mhtNameOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return (dot < 0 ? fileName + u'.' : fileName.left(dot + 1)) + u"mht"_s;
}

QString sniffFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return platform::sniffMailCharset(file.read(platform::kCharsetSniffBytes));
}

}  // namespace

TEmlPreviewFrm::TEmlPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags), m_texts(emlTexts(Language())) {
    setWindowTitle(u"Eml Preview "_s);
    setFont(QFont(Language() == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    setStyleSheet(u"TEmlPreviewFrm, #Panel1 { background: white; }"_s);
    resize(739, 609);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setAttribute(Qt::WA_StyledBackground);
    Panel1->setFixedHeight(81);
    Panel2 = new QWidget(this);
    Panel2->setObjectName(u"Panel2"_s);
    auto* page = new QVBoxLayout(Panel2);
    page->setContentsMargins(6, 6, 6, 6);
    WebBrowser1 = new MimePageView(Panel2);
    WebBrowser1->setObjectName(u"WebBrowser1"_s);
    page->addWidget(WebBrowser1);
    layout->addWidget(Panel1);
    layout->addWidget(Panel2, 1);
    m_opener = platform::openSafelyWithDesktop;
    connect(&m_load, &MimeLoad::loaded, this, &TEmlPreviewFrm::Loaded);
    connect(&m_power, &PowerQuery::answered, this, &TEmlPreviewFrm::PowerAnswered);
}

TEmlPreviewFrm::~TEmlPreviewFrm() {
    CloseOleObject();
}

void TEmlPreviewFrm::LoadLocalFile(int, const QString& FileName) {
    const QString moved = mhtNameOf(FileName);
    // A copy that cannot be moved is read where it is.
    FTmpFileName = moved == FileName || QFile::rename(FileName, moved) ? moved : FileName;
    FCharSetTxt = sniffFile(FTmpFileName);
    m_load.start(FTmpFileName, FCharSetTxt);
}

void TEmlPreviewFrm::Loaded(std::shared_ptr<const platform::MimeMessage> message,
                            const QString& error) {
    if (!message) {
        const bool cn = Language() == HSL_CN;
        ShowHintText((cn ? u"文档无法显示："_s : u"The document cannot be shown: "_s) + error,
                     TPreViewHint::PictureError);
        emit documentShown(false);
        return;
    }
    FIdMessage = message;
    ClearHeader();
    m_links = BuildEmlHeader(Panel1, *message, m_texts,
                             [this](const QString& name) { ClickAttachment(name); });
    if (PreViewHintFrm) PreViewHintFrm->hide();
    WebBrowser1->showMessage(message, FCharSetTxt);
    emit documentShown(true);
}

void TEmlPreviewFrm::ClearHeader() {
    qDeleteAll(Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    m_links.clear();
}

void TEmlPreviewFrm::ClickAttachment(const QString& name) {
    if (FIsDownLoadPower == 0) {
        if (m_power.isRunning()) return;  // asked already; the answer comes
        m_pendingName = name;
        const auto config = GlobalConfig();
        const QString url = PowerQueryUrl(config ? config->ServerUrl() : QString(), FFileId,
                                          FUserIdStr);
        m_power.start(url, FIsSSL, m_powerTimeoutMs);
        return;
    }
    if (FIsDownLoadPower < 0) {
        ShowMessage(m_texts.WLS_NoDP);
        emit attachmentHandled(false);
        return;
    }
    OpenAttachments(name);
}

void TEmlPreviewFrm::PowerAnswered(bool allowed) {
    FIsDownLoadPower = allowed ? 1 : -1;
    ClickAttachment(std::exchange(m_pendingName, QString()));
}

void TEmlPreviewFrm::OpenAttachments(const QString& name) {
    bool opened = false;
    for (const platform::MimePart* part : FIdMessage ? FIdMessage->attachments()
                                                     : std::vector<const platform::MimePart*>{}) {
        if (part->fileName.compare(name, Qt::CaseInsensitive) != 0) continue;
        const QString saved = platform::saveAttachment(FRoot, part->fileName, part->data);
        if (saved.isEmpty()) continue;
        m_saved << saved;
        opened = m_opener(saved) || opened;
    }
    if (!opened) ShowMessage(m_texts.openFailed);
    emit attachmentHandled(opened);
}

void TEmlPreviewFrm::CloseOleObject() {
    WebBrowser1->clearMessage();
    for (const QString& saved : std::as_const(m_saved))
        QFile::remove(saved);
    m_saved.clear();
    if (!FTmpFileName.isEmpty()) QFile::remove(FTmpFileName);
    FTmpFileName.clear();
}

void TEmlPreviewFrm::Print(const QString&) {
    const PagePrintResult printed =
        PrintPage(WebBrowser1, {CanPrint(), DocReadonly(), VirtualPrinterForbidden()},
                  m_printDialog);
    if (printed == PagePrintResult::NoRight) ShowErrorMessage(WLS_CancelPrint);
    if (printed == PagePrintResult::Refused) ShowErrorMessage(VirtualPrinterText(Language()));
}

void TEmlPreviewFrm::ShowMessage(const QString& text) {
    QMessageBox::information(nullptr, WLS_Hint, text);
}

}  // namespace ov

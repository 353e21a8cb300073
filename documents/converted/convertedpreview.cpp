#include "documents/converted/convertedpreview.h"

#include "platform/officesuite.h"

#include <QFile>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

using platform::OfficeResult;
using platform::OfficeStatus;

TConvertedPreviewFrm::TConvertedPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = BuildConvertedToolBar(this, Language());
    m_viewer = new platform::DocumentViewer(this);
    m_viewer->setObjectName(u"DocumentViewer"_s);
    layout->addWidget(m_toolBar.bar);
    layout->addWidget(m_viewer, 1);
    ConnectConvertedToolBar(m_toolBar, m_viewer);
    UpdateConvertedToolBar(m_toolBar, m_viewer);
    connect(m_toolBar.print, &QAction::triggered, this, [this] { Print({}); });
}

TConvertedPreviewFrm::~TConvertedPreviewFrm() {
    if (!m_closed) CloseOleObject();
}

void TConvertedPreviewFrm::SetOfficeConverter(
    std::shared_ptr<platform::WarmOfficeConverter> converter) {
    m_converter = std::move(converter);
}

void TConvertedPreviewFrm::SetOffice(std::optional<platform::OfficeInstallation> office) {
    m_office = std::move(office);
}

const std::optional<platform::OfficeInstallation>& TConvertedPreviewFrm::Office() {
    if (!m_office) m_office = platform::findOfficeSuite(platform::OfficeSuite::LibreOffice);
    return *m_office;
}

std::shared_ptr<platform::WarmOfficeConverter> TConvertedPreviewFrm::Converter() {
    if (!m_converter && Office()) m_converter = platform::sessionOfficeConverter(*Office());
    return m_converter;
}

void TConvertedPreviewFrm::OfferPrint(bool offer) {
    m_toolBar.print->setVisible(offer);
}

void TConvertedPreviewFrm::LoadLocalFile(int, const QString& FileName) {
    if (m_closed) {  // closed while the download ran
        QFile::remove(FileName);
        return;
    }
    delete m_job;  // the conversion of a copy that this one replaces
    m_job = nullptr;
    if (!m_copy.isEmpty() && m_copy != FileName) RemoveCopies();
    m_copy = FileName;
    ShowHintText(LoadingText(), TPreViewHint::PictureWait);
    m_viewer->setReadOnly(ViewerReadOnly());
    StartConversion(FileName);
}

void TConvertedPreviewFrm::StartConversion(const QString& fileName) {
    const auto converter = Converter();
    m_job = new platform::OfficeJob(this);
    connect(m_job, &platform::OfficeJob::finished, this, &TConvertedPreviewFrm::ConversionDone);
    const platform::PdfConversion conversion{fileName, fileName + u".pdf"_s, m_timeLimit, FRoot};
    if (!converter)
        ConversionDone({OfficeStatus::NotInstalled, u"LibreOffice is not installed"_s});
    else if (!m_job->startWarmConversion(converter, conversion))
        ConversionDone({OfficeStatus::Failed, u"another office job is running"_s});
}

void TConvertedPreviewFrm::ConversionDone(const OfficeResult& result) {
    const QString pdf = m_copy + u".pdf"_s;
    const bool loaded = result.ok() && m_viewer->loadFile(pdf);
    const QString why = result.ok() ? m_viewer->errorText() : result.message;
    RemoveCopies();  // the viewer keeps what it shows
    UpdateConvertedToolBar(m_toolBar, m_viewer);
    if (!loaded) {
        m_viewer->closeDocument();  // nothing earlier passes for this document
        ShowFailure(why);
        emit documentShown(false);
        return;
    }
    if (PreViewHintFrm) PreViewHintFrm->hide();
    DocumentReady();
    emit documentShown(true);
}

void TConvertedPreviewFrm::ShowFailure(const QString& why) {
    const bool cn = Language() == HSL_CN;
    ShowHintText((cn ? u"文档无法显示："_s : u"The document cannot be shown: "_s) + why,
                 TPreViewHint::PictureError);
}

void TConvertedPreviewFrm::RemoveCopies() {
    if (m_copy.isEmpty()) return;
    QFile::remove(m_copy);
    QFile::remove(m_copy + u".pdf"_s);
}

void TConvertedPreviewFrm::CloseOleObject() {
    m_closed = true;
    delete m_job;  // stops waiting; the office's late PDF goes to its own folder
    m_job = nullptr;
    m_viewer->closeDocument();
    UpdateConvertedToolBar(m_toolBar, m_viewer);
    RemoveCopies();
}

bool TConvertedPreviewFrm::PrintThroughGate() {
    if (!CanPrint() || !m_viewer->isLoaded()) return false;
    if (VirtualPrinterForbidden()) {
        const bool cn = Language() == HSL_CN;
        ShowErrorMessage(cn ? u"本机存在虚拟打印机，系统禁止打印此文档！"_s
                            : u"Print function is forbidden because there is virtual printer in "
                              u"the local computer."_s);
        return false;
    }
    return m_viewer->print(SelectPrinter()) == platform::DocumentViewer::PrintResult::Printed;
}

}  // namespace ov

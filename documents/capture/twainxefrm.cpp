// The capture window: creation, the source list, the watermark fetch and acquiring.
#include "documents/capture/twainxefrm.h"

#include "core/globalconfig.h"
#include "core/httpclient.h"
#include "documents/capture/scanoptions.h"
#include "platform/camera/cameradevice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QPushButton* panelButton(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFlat(true);
    QFont font(u"微软雅黑"_s);
    font.setPixelSize(14);
    font.setBold(true);
    b->setFont(font);
    b->setStyleSheet(u"color: navy;"_s);
    return b;
}

}  // namespace

TTwainXeFrm::TTwainXeFrm(QWidget* parent, platform::CameraDevice* camera)
    : QWidget(parent), FVideoX(camera) {
    setObjectName(u"TwainXeFrm"_s);
    if (FVideoX) {
        FVideoX->setParent(this);
        connect(FVideoX, &platform::CameraDevice::frameReady, this, &TTwainXeFrm::PaintFrame);
    }
    FHS_Language = Access.Language;
    AskScanSettings = [language = FHS_Language](QWidget* parent, const QStringList& modes,
                                                const QStringList& sources,
                                                const std::vector<int>& resolutions,
                                                const platform::ScannerSettings& current) {
        return AskScanSettingsDialog(parent, language, modes, sources, resolutions, current);
    };
    setFont(QFont(FHS_Language == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    LoadTexts();
    CreateWidgets();
    setWindowTitle(WLS_Caption);
    resize(760, 560);
    LoadSources();
    // Started from the event loop, so that the creator may still change the time-out.
    QTimer::singleShot(0, this, &TTwainXeFrm::FetchWatermark);
}

TTwainXeFrm::~TTwainXeFrm() {
    if (FVideoX) FVideoX->stop();
    m_pages.Clear();
}

void TTwainXeFrm::LoadTexts() {
    const THS_Language l = FHS_Language;
    WLS_Caption = LangText(l, u"上传"_s, u"Upload"_s);
    WLS_Sel = LangText(l, u"选择源"_s, u"Source"_s);
    WLS_Exit = LangText(l, u"退出"_s, u"Exit"_s);
    WLS_SaveAs = LangText(l, u"另存为"_s, u"Save as"_s);
    WLS_AddWatermark = LangText(l, u"添加水印"_s, u"Watermark"_s);
    WLS_OrigPic = LangText(l, u"原始图像"_s, u"Original"_s);
    WLS_ShowUI = LangText(l, u"扫描对话框"_s, u"With Dialog"_s);
    WLS_NoFindTwain = LangText(l, u"没有发现扫描仪"_s, u"No scanner found"_s);
    WLS_SelectedTwain = LangText(l, u"选择一个扫描仪"_s, u"Select a scanner"_s);
    WLS_TwainInit =
        LangText(l, u"正在识别设备，请稍等..."_s, u"Opening the camera, please wait ..."_s);
    WLS_NoImageFile = u"没有扫描文件，请先扫描文件"_s;
    WLS_Over = LangText(l, u"完成上传！"_s, u"Uploaded!"_s);
}

void TTwainXeFrm::CreateWidgets() {
    const bool cn = FHS_Language == HSL_CN;
    plUpload = new QWidget(this);
    plUpload->setObjectName(u"plUpload"_s);
    sptAcquire = panelButton(cn ? u"  开始扫描  "_s : u"Acquire"_s, u"sptAcquire"_s, plUpload);
    spbSaveUpload =
        panelButton(cn ? u"保存并上传文件    "_s : u"Save and upload"_s, u"spbSaveUpload"_s, plUpload);
    spbCancel = panelButton(cn ? u"取消  "_s : u"Cancel"_s, u"spbCancel"_s, plUpload);
    auto* panel = new QHBoxLayout(plUpload);
    panel->addWidget(sptAcquire);
    panel->addWidget(spbSaveUpload);
    panel->addWidget(spbCancel);
    panel->addStretch(1);
    plUpload->hide();
    auto* bar = new QWidget(this);
    CreateToolBar(bar);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(u"ScrollBox1"_s);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    auto* area = new QWidget;
    Image1 = new QLabel(area);
    Image1->setObjectName(u"Image1"_s);
    Image1->move(10, 10);
    Image1->installEventFilter(this);
    PaintBox1 = new QLabel(area);
    PaintBox1->setObjectName(u"PaintBox1"_s);
    PaintBox1->hide();
    LabelVideo = new QLabel(WLS_TwainInit, area);
    LabelVideo->setObjectName(u"LabelVideo"_s);
    LabelVideo->hide();
    area->resize(10, 10);
    ScrollBox1->setWidget(area);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(plUpload);
    layout->addWidget(bar);
    layout->addWidget(ScrollBox1, 1);
    connect(sptAcquire, &QPushButton::clicked, this, &TTwainXeFrm::Acquire);
    connect(spbCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(spbSaveUpload, &QPushButton::clicked, this, [this] {
        if (Upload().isEmpty()) return;
        Ui.Tell(this, WLS_Caption, WLS_Over, false);
        close();
    });
}

void TTwainXeFrm::CreateToolBar(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    cbTwainSource = new QComboBox(bar);
    cbTwainSource->setObjectName(u"cbTwainSource"_s);
    cbTwainSource->setPlaceholderText(FHS_Language == HSL_CN ? u"选择扫描仪..."_s
                                                             : u"Select a scanner..."_s);
    cbTwainSource->setMinimumWidth(200);
    chbShowUI = new QCheckBox(WLS_ShowUI, bar);
    chbShowUI->setObjectName(u"chbShowUI"_s);
    chbShowUI->setToolTip(WLS_ShowUI);
    chbShowUI->setChecked(true);
    cbVideoSize = new QComboBox(bar);
    cbVideoSize->setObjectName(u"cbVideoSize"_s);
    cbVideoSize->setPlaceholderText(FHS_Language == HSL_CN ? u"选择尺寸..."_s : u"Size..."_s);
    cbVideoSize->hide();
    row->addWidget(new QLabel(WLS_Sel, bar));
    row->addWidget(cbTwainSource);
    row->addWidget(chbShowUI);
    row->addWidget(cbVideoSize);
    const struct {
        QToolButton** button;
        const char16_t* name;
        const char16_t* text;
        QStyle::StandardPixmap icon;
    } tools[] = {{&tbVideoPause, u"tbVideoPause", u"", QStyle::SP_MediaPause},
                 {&tbLeft, u"tbLeft", u"⟲", QStyle::SP_CustomBase},
                 {&tbRight, u"tbRight", u"⟳", QStyle::SP_CustomBase},
                 {&ToolButton2, u"ToolButton2", u"1:1", QStyle::SP_CustomBase},
                 {&tbWi, u"tbWi", u"↔", QStyle::SP_CustomBase},
                 {&tbHi, u"tbHi", u"↕", QStyle::SP_CustomBase},
                 {&tbUp, u"tbUp", u"", QStyle::SP_ArrowUp},
                 {&tbDown, u"tbDown", u"", QStyle::SP_ArrowDown},
                 {&tbAddWatemark, u"tbAddWatemark", u"", QStyle::SP_CustomBase},
                 {&tbSaveAs, u"tbSaveAs", u"", QStyle::SP_DialogSaveButton}};
    for (const auto& t : tools) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromUtf16(t.name));
        if (t.icon != QStyle::SP_CustomBase) b->setIcon(style()->standardIcon(t.icon));
        b->setText(QString::fromUtf16(t.text));
        b->setAutoRaise(true);
        row->addWidget(b);
        *t.button = b;
    }
    row->addStretch(1);
    tbAddWatemark->setText(WLS_AddWatermark);
    tbAddWatemark->setToolTip(WLS_AddWatermark);
    tbSaveAs->setText(WLS_SaveAs);
    tbSaveAs->setToolTip(WLS_SaveAs);
    tbSaveAs->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (QWidget* w : {static_cast<QWidget*>(tbVideoPause), static_cast<QWidget*>(tbUp),
                       static_cast<QWidget*>(tbDown), static_cast<QWidget*>(tbAddWatemark),
                       static_cast<QWidget*>(tbSaveAs)})
        w->hide();
    tbAddWatemark->setEnabled(false);
    connect(cbTwainSource, &QComboBox::activated, this, &TTwainXeFrm::SourceChanged);
    connect(tbVideoPause, &QToolButton::clicked, this, &TTwainXeFrm::TogglePause);
    connect(tbLeft, &QToolButton::clicked, this, [this] { Rotate(true); });
    connect(tbRight, &QToolButton::clicked, this, [this] { Rotate(false); });
    connect(ToolButton2, &QToolButton::clicked, this, &TTwainXeFrm::ActualSize);
    connect(tbWi, &QToolButton::clicked, this, &TTwainXeFrm::FitWidth);
    connect(tbHi, &QToolButton::clicked, this, &TTwainXeFrm::FitHeight);
    connect(tbUp, &QToolButton::clicked, this, &TTwainXeFrm::PagePrevious);
    connect(tbDown, &QToolButton::clicked, this, &TTwainXeFrm::PageNext);
    connect(tbAddWatemark, &QToolButton::clicked, this, &TTwainXeFrm::ToggleWatermark);
    connect(tbSaveAs, &QToolButton::clicked, this, &TTwainXeFrm::SaveAs);
    connect(cbVideoSize, &QComboBox::activated, this, [this] {
        if (FVideoX) FVideoX->setFrameSize(cbVideoSize->currentText());
    });
}

// The scanners are looked up on a worker: network scanners may take a while to answer.
void TTwainXeFrm::LoadSources() {
    m_calls.Run<std::vector<platform::ScannerSource>>(
        [] { return platform::Scanner::sources(); },
        [this](const std::vector<platform::ScannerSource>& found, const QString&) {
            FTwainList = found;
            RebuildSourceList();
            emit sourcesReady();
        });
}

void TTwainXeFrm::FetchWatermark() {
    const QString url = GlobalConfig()->ServerUrl() + u"/static/watermark.bmp"_s;
    const bool ssl = Access.IsSsl;
    m_calls.Run<QByteArray>(
        [url, ssl, timeout = WatermarkTimeoutMs] {
            TSSLHttp http(ssl);
            http.setReadTimeout(timeout);
            http.setConnectTimeout(5000);
            http.setMaxBodySize(qint64(16) << 20);
            return http.GetBytes(url);
        },
        [this](const QByteArray& bytes, const QString& error) {
            if (error.isEmpty()) FWatermark = QImage::fromData(bytes);
            tbAddWatemark->setVisible(!FWatermark.isNull());
            emit watermarkReady();
        });
}

void TTwainXeFrm::RebuildSourceList() {
    cbTwainSource->clear();
    for (const platform::ScannerSource& s : FTwainList)
        cbTwainSource->addItem(s.label.isEmpty() ? s.name : s.label + u" ("_s + s.name + u')',
                               int(ScannerSource));
    for (const QString& name : std::as_const(FVideoDeviceList))
        cbTwainSource->addItem(name, int(CameraSource));
    cbTwainSource->setCurrentIndex(-1);
}

void TTwainXeFrm::VideoInit() {
    if (!FVideoX) return;
    FVideoDeviceList = FVideoX->deviceNames();
    RebuildSourceList();
}

void TTwainXeFrm::Acquire() {
    const int count = cbTwainSource->count();
    if (count == 0) {
        Ui.Tell(this, WLS_Caption, WLS_NoFindTwain, false);
        return;
    }
    if (count == 1 && cbTwainSource->currentIndex() < 0) {
        cbTwainSource->setCurrentIndex(0);
        SourceChanged();
    }
    const int index = cbTwainSource->currentIndex();
    if (index < 0) {
        Ui.Tell(this, WLS_Caption, WLS_SelectedTwain, false);
        return;
    }
    if (cbTwainSource->itemData(index).toInt() == CameraSource) {
        if (!FVideoActivated) StartCamera();
        FVideoActivated = true;
        return;
    }
    AcquireScanner(FTwainList[size_t(index)].name);
}

// With the dialog asked for, the device's choices are read first and offered to the user.
void TTwainXeFrm::AcquireScanner(const QString& device) {
    if (FScanning) return;
    ShowPageView();
    if (!chbShowUI->isChecked() || !AskScanSettings) {
        ScanWith(device, {});
        return;
    }
    struct Choices {
        QStringList modes, sources;
        std::vector<int> resolutions;
        platform::ScannerSettings current;
        QString error;
    };
    FScanning = true;
    m_calls.Run<Choices>(
        [device] {
            Choices c;
            platform::Scanner scanner;
            if (!scanner.open(device)) {
                c.error = scanner.errorText();
                return c;
            }
            c = {scanner.modes(), scanner.feedSources(), scanner.resolutions(), scanner.current(),
                 {}};
            return c;
        },
        [this, device](const Choices& c, const QString& error) {
            FScanning = false;
            if (!c.error.isEmpty() || !error.isEmpty()) {
                emit acquired(0, c.error.isEmpty() ? error : c.error);
                return;
            }
            const auto settings = AskScanSettings(this, c.modes, c.sources, c.resolutions, c.current);
            if (settings) ScanWith(device, *settings);
        });
}

void TTwainXeFrm::ScanWith(const QString& device, const platform::ScannerSettings& settings) {
    FScanning = true;
    m_pages.Clear();
    FImgIndex = 0;
    FMarkedIndex = -1;
    tbAddWatemark->setText(WLS_AddWatermark);
    auto post = m_calls.Poster();
    m_calls.Run<QString>(
        [this, device, settings, post, cancel = m_calls.CancelFlag()] {
            platform::Scanner scanner;
            if (!scanner.open(device) || !scanner.apply(settings)) return scanner.errorText();
            const auto pages = scanner.acquire(
                [this, &post](const QImage& page) { post([this, page] { StorePage(page); }); },
                cancel);
            return pages ? QString() : scanner.errorText();
        },
        [this](const QString& result, const QString& error) {
            FScanning = false;
            emit acquired(m_pages.Count(), error.isEmpty() ? result : error);
        });
}

}  // namespace ov

#include "control/printimages/printimgfrm.h"

#include "control/printimages/placement.h"
#include "core/globalconfig.h"
#include "core/httpclient.h"
#include "platform/printers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

QString Enc(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QByteArray FetchFromServer(const QString& url, bool ssl) {
    TSSLHttp http(ssl);
    http.setReadTimeout(30000);
    http.setMaxBodySize(qint64(64) << 20);
    return http.GetBytes(url);
}

}  // namespace

const QVector<TPaperChoice>& PaperChoices() {
    static const QVector<TPaperChoice> choices{{u"A3"_s, QPageSize::A3, 8},
                                               {u"A4"_s, QPageSize::A4, 9},
                                               {u"A5"_s, QPageSize::A5, 11},
                                               {u"A6"_s, QPageSize::A6, 70},
                                               {u"B5 (JIS)"_s, QPageSize::JisB5, 13}};
    return choices;
}

QString ImageUrl(const QString& serverUrl, const QString& key, const QString& version,
                 const QString& userToken, const QString& index) {
    return serverUrl + u"/getjpg?filekey="_s + Enc(key) + u"&ver="_s + Enc(version) +
           u"&uid="_s + Enc(userToken) + u"&imageindex="_s + Enc(index);
}

TTPrintImgFrm::TTPrintImgFrm(THS_Language language, const platform::PrinterSource& printers,
                             QWidget* parent)
    : QDialog(parent), FEnglish(language != HSL_CN) {
    setObjectName(u"TPrintImgFrm"_s);
    setFont(QFont(FEnglish ? u"Tahoma"_s : u"宋体"_s, 9));
    LoadTexts(language);
    CreateWidgets(printers);
    LayOut();
    setProperty("okButton", u"btnOK"_s);  // what a scripted "ok" presses
    const auto config = GlobalConfig();
    const QString server = config->ServerUrl();
    const QString token = config->EncryptUserID();
    const bool ssl = config->IsSSL();
    FetchImage = [server, token, ssl](const QString& key, const QString& version,
                                      const QString& index) {
        return FetchFromServer(ImageUrl(server, key, version, token, index), ssl);
    };
    MakePrinter = [](const QString& name) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPrinterName(name);
        return printer;
    };
    connect(btnOK, &QPushButton::clicked, this, &TTPrintImgFrm::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TTPrintImgFrm::LoadTexts(THS_Language) {
    setWindowTitle(L(u"图片打印"_s, u"Photo Print"_s));
    WLS_Hint = L(u"提示"_s, u"Hint"_s);
    WLS_Failed = L(u"从服务器获取图片失败！"_s, u"Pictures from the server failed!"_s);
    WLS_SetCopies = L(u"请设置正确的打印份数！"_s, u"Please set the correct number of copies!"_s);
    WLS_InstallPrinter = L(u"请先安装打印机！"_s, u"Please install the printer!"_s);
    WLS_ImgParamError = L(u"无法得到图片文件参数"_s, u"Can not get the image file parameters"_s);
    WLS_PrintParamError = L(u"无法得到打印机参数！"_s, u"Unable to get printer parameters!"_s);
    WLS_LeftMargin = L(u"左边距："_s, u"Left margin:"_s);
    WLS_TopMargin = L(u"顶边距："_s, u"Top margin:"_s);
    WLS_MarginHint = L(u"厘米"_s, u"cm"_s);
}

void TTPrintImgFrm::CreateWidgets(const platform::PrinterSource& printers) {
    auto named = [](auto* widget, const QString& name) {
        widget->setObjectName(name);
        return widget;
    };
    cboPrinters = named(new QComboBox(this), u"cboPrinters"_s);
    for (const platform::PrinterInfo& p : printers.printers()) {
        cboPrinters->addItem(p.name);
        if (p.isDefault) cboPrinters->setCurrentIndex(cboPrinters->count() - 1);
    }
    cboPageSize = named(new QComboBox(this), u"cboPageSize"_s);
    for (const TPaperChoice& c : PaperChoices())
        cboPageSize->addItem(c.Name);
    cboPageSize->setCurrentText(u"A4"_s);
    edtNum = named(new QLineEdit(u"1"_s, this), u"edtNum"_s);
    UpDown1 = named(new QSpinBox(this), u"UpDown1"_s);
    UpDown1->setRange(1, 999);
    UpDown1->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    UpDown1->setFixedWidth(18);
    connect(UpDown1, &QSpinBox::valueChanged, edtNum,
            [this](int v) { edtNum->setText(QString::number(v)); });
    rdoVertical = named(new QRadioButton(L(u"纵向 "_s, u"Portarit "_s), this), u"rdoVertical"_s);
    rdoHorizontal =
        named(new QRadioButton(L(u"横向 "_s, u"Landscape "_s), this), u"rdoHorizontal"_s);
    (GlobalConfig()->HorizontalOfImagePrint() ? rdoHorizontal : rdoVertical)->setChecked(true);
    edtMarginX = named(new QLineEdit(u"1.27"_s, this), u"edtMarginX"_s);
    edtMarginY = named(new QLineEdit(u"1.27"_s, this), u"edtMarginY"_s);
    btnOK = named(new QPushButton(L(u"确定"_s, u"Confirm"_s), this), u"btnOK"_s);
    btnCancel = named(new QPushButton(L(u"取消"_s, u"Cancel"_s), this), u"btnCancel"_s);
}

void TTPrintImgFrm::LayOut() {
    auto label = [this](const QString& text, const QString& name) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    auto* grid = new QGridLayout;
    grid->addWidget(label(L(u"打印机： "_s, u"Printer: "_s), u"Label1"_s), 0, 0);
    grid->addWidget(cboPrinters, 0, 1, 1, 3);
    grid->addWidget(label(L(u"纸张大小： "_s, u"PaperSize: "_s), u"Label2"_s), 1, 0);
    grid->addWidget(cboPageSize, 1, 1, 1, 3);
    grid->addWidget(label(L(u"打印份数： "_s, u"Copies: "_s), u"Label3"_s), 2, 0);
    auto* copies = new QHBoxLayout;
    copies->setSpacing(0);
    copies->addWidget(edtNum);
    copies->addWidget(UpDown1);
    grid->addLayout(copies, 2, 1);
    grid->addWidget(label(L(u"打印方向： "_s, u"Orientation: "_s), u"Label4"_s), 3, 0);
    grid->addWidget(rdoVertical, 3, 1);
    grid->addWidget(rdoHorizontal, 3, 2);
    grid->addWidget(label(WLS_LeftMargin, u"lmX"_s), 4, 0);
    grid->addWidget(edtMarginX, 4, 1);
    grid->addWidget(label(WLS_MarginHint, u"lmHint1"_s), 4, 2);
    grid->addWidget(label(WLS_TopMargin, u"lmY"_s), 5, 0);
    grid->addWidget(edtMarginY, 5, 1);
    grid->addWidget(label(WLS_MarginHint, u"lmHint2"_s), 5, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(340, 260);
}

void TTPrintImgFrm::btnOKClick() {
    if (cboPrinters->count() == 0) {
        Ui.Tell(this, WLS_Hint, WLS_InstallPrinter, false);
        return;
    }
    const auto config = GlobalConfig();
    config->SetHorizontalOfImagePrint(rdoHorizontal->isChecked());
    config->Save();
    bool ok = false;
    FPrintNum = edtNum->text().trimmed().toInt(&ok);
    if (!ok || FPrintNum < 1) {  // nothing is printed with a count the user did not mean
        Ui.Tell(this, WLS_Hint, WLS_SetCopies, true);
        return;
    }
    btnOK->setEnabled(false);
    ImgFileKey2.clear();
    FKeys.clear();
    for (const QString& key : ImgFileKey.split(u'|'))
        if (!key.trimmed().isEmpty()) FKeys.append(key.trimmed());
    Next(0);
}

void TTPrintImgFrm::Next(int index) {
    if (index >= FKeys.size()) {
        btnOK->setEnabled(true);
        accept();
        return;
    }
    m_calls.Run<QByteArray>([fetch = FetchImage, key = FKeys[index], ver = FileVer,
                             at = Index] { return fetch(key, ver, at); },
                            [this, index](const QByteArray& jpeg, const QString& error) {
                                if (!error.isEmpty() || jpeg.isEmpty())
                                    Ui.Tell(this, WLS_Hint, WLS_Failed, false);
                                else
                                    PrintPicture(FKeys[index], jpeg);
                                Next(index + 1);
                            });
}

void TTPrintImgFrm::PrintPicture(const QString& key, const QByteArray& jpeg) {
    const QImage picture = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB888);
    if (picture.isNull() || picture.size().isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_ImgParamError, true);
        return;
    }
    std::unique_ptr<QPrinter> printer = MakePrinter(cboPrinters->currentText());
    const TPaperChoice& paper = PaperChoices().value(cboPageSize->currentIndex(), PaperChoices()[1]);
    printer->setPageSize(QPageSize(paper.Size));
    printer->setPageOrientation(rdoHorizontal->isChecked() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
    printer->setCopyCount(FPrintNum);
    printer->setFullPage(true);
    TPagePlacement p;
    p.Resolution = printer->resolution();
    p.Density = JfifDensity(jpeg);
    p.MarginXCm = MarginCm(edtMarginX->text());
    p.MarginYCm = MarginCm(edtMarginY->text());
    p.Picture = picture.size();
    p.Page = printer->pageLayout().fullRectPixels(p.Resolution).size();
    const QRect place = PlacePicture(p);
    QPainter painter;
    if (place.isEmpty() || !painter.begin(printer.get())) {
        Ui.Tell(this, WLS_Hint, WLS_PrintParamError, true);
        return;
    }
    painter.drawImage(place, picture);
    painter.end();
    ImgFileKey2 += key + u'|';
    emit printed(key);
}

}  // namespace ov::control

#include "control/qrcode/webcammain.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QUuid>

#include "control/qrcode/codereader.h"
#include "control/qrcode/picturecamera.h"
#include "control/qrcode/selectcam.h"
#include "core/paths.h"
#include "platform/camera/qtcamera.h"

using namespace Qt::StringLiterals;

namespace ov::control {

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!Picture.isNull()) painter.drawImage(0, 0, Picture);
}

TQrCodeScanFrm::CameraFactory& TQrCodeScanFrm::Cameras() {
    static CameraFactory factory = []() -> std::unique_ptr<platform::CameraDevice> {
        if (auto picture = PictureCameraFromEnvironment()) return picture;
        return std::make_unique<platform::QtCamera>();
    };
    return factory;
}

TQrCodeScanFrm::TQrCodeScanFrm(THS_Language language, QWidget* parent)
    : QWidget(parent), m_language(language) {
    setObjectName(u"QrCodeScanFrm"_s);
    setWindowTitle(u"二维码识别"_s);
    setWindowFlag(Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    PaintBox1 = new TPaintBox(this);
    PaintBox1->setObjectName(u"PaintBox1"_s);
    Label1 = new QLabel(language == HSL_CN ? u"正在识别设备，请稍等..."_s
                                           : u"Opening the camera, please wait ..."_s,
                        this);
    Label1->setObjectName(u"Label1"_s);
    Label1->adjustSize();
    // A name of its own in the user's private folder: two forms never share a still.
    FBmpFileName = GetLocalTempPath() + u"qrcode_img_"_s +
                   QUuid::createUuid().toString(QUuid::WithoutBraces) + u".bmp"_s;
    FVideoImage = Cameras()();
    connect(FVideoImage.get(), &platform::CameraDevice::frameReady, this,
            &TQrCodeScanFrm::FrameArrived);
}

TQrCodeScanFrm::~TQrCodeScanFrm() {
    if (FVideoImage) FVideoImage->stop();
    QFile::remove(FBmpFileName);
}

void TQrCodeScanFrm::resizeEvent(QResizeEvent*) {
    PaintBox1->setGeometry(rect());
    const int shift = m_language == HSL_CN ? 110 : 0;
    Label1->move((width() - 320 + shift) / 2, height() / 2 - 18);
}

void TQrCodeScanFrm::Init() {
    if (FActivated) return;
    FActivated = true;
    const QStringList devices = FVideoImage->deviceNames();
    if (devices.isEmpty()) {
        const bool cn = m_language == HSL_CN;
        QMessageBox box(QMessageBox::Critical, cn ? u"提示"_s : u"hint"_s,
                        cn ? u"调用摄像头失败!"_s : u"Call the camera fails!"_s, QMessageBox::Ok,
                        this);
        box.setObjectName(u"QrCodeMessage"_s);
        box.exec();
    } else if (devices.size() == 1) {
        FDeviceName = devices.first();
    } else {
        TSelectCamFrm chooser(devices, this);
        chooser.exec();
        FDeviceName = chooser.DeviceName;
    }
}

void TQrCodeScanFrm::VideoStart() {
    if (!FVideoImage->isActive()) {
        QApplication::processEvents();
        if (!FDeviceName.isEmpty() && FVideoImage->start(FDeviceName, {})) Label1->hide();
    } else if (FVideoImage->isPaused()) {
        FVideoImage->resume();
    }
    ShowFrame(FVideoBitmap);
}

void TQrCodeScanFrm::VideoPause() {
    if (FVideoImage->isActive()) FVideoImage->pause();
}

void TQrCodeScanFrm::VideoStop() {
    if (FVideoImage->isActive()) FVideoImage->stop();
}

void TQrCodeScanFrm::FrameArrived() {
    FVideoBitmap = FVideoImage->lastFrame();
    ShowFrame(FVideoBitmap);
}

void TQrCodeScanFrm::ShowFrame(const QImage& frame) {
    PaintBox1->Picture = frame;
    PaintBox1->update();
}

bool TQrCodeScanFrm::SaveToFile(const QString& Filename) const {
    return !FVideoBitmap.isNull() && FVideoBitmap.save(Filename, "BMP");
}

QString TQrCodeScanFrm::SnapshotAndReadCode() {
    const QImage still = FVideoImage->isActive() ? FVideoImage->lastFrame() : FVideoBitmap;
    if (!still.isNull()) FVideoBitmap = still;
    const bool saved = SaveToFile(FBmpFileName);
    VideoPause();
    ShowFrame(FVideoBitmap);
    return saved ? ReadQrCode(FBmpFileName) : QString();
}

QString TQrCodeScanFrm::ReadQrCode(const QString& Filename) const {
    return ReadCodeFromFile(Filename);
}

}  // namespace ov::control

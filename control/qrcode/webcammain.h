#pragma once
// `TQrCodeScanFrm`: the camera form of the control. It shows the chosen camera's live picture
// unscaled at its top-left corner; a read takes the current frame as a still (kept as a bitmap
// file in the user's private temporary folder), pauses the picture on it and decodes it in
// process. Frames come from the camera layer's thread and are painted on this form's thread.

#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "core/types.h"

class QLabel;

namespace ov::platform {
class CameraDevice;
}

namespace ov::control {

// The paint box: the last frame, unscaled, at the top-left corner.
class TPaintBox : public QWidget {
public:
    using QWidget::QWidget;
    QImage Picture;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TQrCodeScanFrm : public QWidget {
    Q_OBJECT
public:
    using CameraFactory = std::function<std::unique_ptr<platform::CameraDevice>()>;
    // What makes the camera object (the system's cameras; tests put their own).
    static CameraFactory& Cameras();

    explicit TQrCodeScanFrm(THS_Language language, QWidget* parent = nullptr);
    ~TQrCodeScanFrm() override;

    void Init();
    void VideoStart();
    void VideoPause();
    void VideoStop();
    bool SaveToFile(const QString& Filename) const;
    QString SnapshotAndReadCode();
    QString ReadQrCode(const QString& Filename) const;

    QString FBmpFileName;
    QString FDeviceName;
    bool FActivated = false;
    QImage FVideoBitmap;
    TPaintBox* PaintBox1 = nullptr;
    QLabel* Label1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FrameArrived();
    void ShowFrame(const QImage& frame);

    THS_Language m_language;
    std::unique_ptr<platform::CameraDevice> FVideoImage;
};

}  // namespace ov::control

#pragma once
// A picture file shown as a camera: one device, named after the file, whose every start
// delivers the picture as its frame. The camera form uses it in place of the system's cameras
// when OV_CAMERA_PICTURE names a picture, so codes can be read on machines without a camera
// (demonstrations, page scripts run unattended).

#include "platform/camera/cameradevice.h"

#include <QImage>
#include <memory>

namespace ov::control {

class PictureCamera : public platform::CameraDevice {
    Q_OBJECT
public:
    PictureCamera(const QString& fileName, QObject* parent = nullptr);

    QStringList deviceNames() const override;
    QStringList frameSizes(const QString& device) const override;
    bool start(const QString& device, const QString& size) override;
    bool setFrameSize(const QString& size) override;
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

private:
    QString m_name;
    QImage m_picture;
    bool m_active = false;
};

// The picture camera when OV_CAMERA_PICTURE is set, else none.
std::unique_ptr<platform::CameraDevice> PictureCameraFromEnvironment();

}  // namespace ov::control

#pragma once
// The cameras of the system through Qt Multimedia. Frames are converted to pictures on the
// thread that delivers them and handed over through the relay; the window never touches the
// capture objects from another thread.

#include "platform/camera/cameradevice.h"

#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QVideoSink>
#include <memory>
#include <optional>

class QCamera;
class QVideoFrame;

namespace ov::platform {

class QtCamera : public CameraDevice {
    Q_OBJECT
public:
    explicit QtCamera(QObject* parent = nullptr);
    ~QtCamera() override;

    QStringList deviceNames() const override;
    QStringList frameSizes(const QString& device) const override;
    bool start(const QString& device, const QString& size) override;
    bool setFrameSize(const QString& size) override;
    void stop() override;
    bool isActive() const override;

private:
    std::optional<QCameraDevice> findDevice(const QString& name) const;
    bool applySize(const QString& size);
    void takeFrame(const QVideoFrame& frame);
    void onError();

    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    std::unique_ptr<QCamera> m_camera;
};

}  // namespace ov::platform

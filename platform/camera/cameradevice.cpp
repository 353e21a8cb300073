#include "platform/camera/cameradevice.h"

namespace ov::platform {

CameraDevice::CameraDevice(QObject* parent) : QObject(parent), m_relay(this) {
    connect(&m_relay, &FrameRelay::frameReady, this, &CameraDevice::frameReady);
}

bool CameraDevice::fail(const QString& text) {
    m_error = text;
    return false;
}

}  // namespace ov::platform

#include "platform/camera/qtcamera.h"

#include "platform/camera/framesize.h"

#include <QCamera>
#include <QCameraFormat>
#include <QMediaDevices>
#include <QVideoFrame>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

std::optional<QCameraFormat> formatOfSize(const QCameraDevice& device, const QString& size) {
    const auto wanted = parseFrameSize(size);
    if (!wanted) return std::nullopt;
    for (const QCameraFormat& format : device.videoFormats()) {
        if (format.resolution() == *wanted) return format;
    }
    return std::nullopt;
}

}  // namespace

QtCamera::QtCamera(QObject* parent) : CameraDevice(parent) {
    m_session.setVideoSink(&m_sink);
    // The sink may deliver on the capture thread: the frame is converted there and relayed.
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, &QtCamera::takeFrame,
            Qt::DirectConnection);
}

QtCamera::~QtCamera() {
    stop();
}

QStringList QtCamera::deviceNames() const {
    QStringList names;
    for (const QCameraDevice& device : QMediaDevices::videoInputs()) {
        names << device.description();
    }
    return names;
}

QStringList QtCamera::frameSizes(const QString& device) const {
    QStringList sizes;
    if (const auto found = findDevice(device)) {
        for (const QCameraFormat& format : found->videoFormats()) {
            const QString text = frameSizeText(format.resolution());
            if (!sizes.contains(text)) sizes << text;
        }
    }
    return sizes;
}

bool QtCamera::start(const QString& device, const QString& size) {
    stop();
    clearError();
    const auto found = findDevice(device);
    if (!found) {
        if (QMediaDevices::videoInputs().isEmpty()) return fail(u"No camera is connected."_s);
        return fail(u"There is no camera named \"%1\"."_s.arg(device));
    }
    m_camera = std::make_unique<QCamera>(*found);
    connect(m_camera.get(), &QCamera::errorOccurred, this, &QtCamera::onError);
    if (!size.isEmpty() && !applySize(size)) return false;
    m_session.setCamera(m_camera.get());
    resume();
    m_camera->start();
    if (m_camera->error() != QCamera::NoError) {
        onError();
        return false;
    }
    return true;
}

bool QtCamera::setFrameSize(const QString& size) {
    if (!m_camera) return fail(u"The camera is not started."_s);
    return applySize(size);
}

void QtCamera::stop() {
    if (!m_camera) return;
    m_camera->stop();
    m_session.setCamera(nullptr);
    m_camera.reset();
    clearFrames();
}

bool QtCamera::isActive() const {
    return m_camera && m_camera->isActive();
}

std::optional<QCameraDevice> QtCamera::findDevice(const QString& name) const {
    for (const QCameraDevice& device : QMediaDevices::videoInputs()) {
        if (device.description() == name) return device;
    }
    return std::nullopt;
}

bool QtCamera::applySize(const QString& size) {
    const auto format = formatOfSize(m_camera->cameraDevice(), size);
    if (!format) return fail(u"The camera offers no frame size \"%1\"."_s.arg(size));
    m_camera->setCameraFormat(*format);
    return true;
}

void QtCamera::takeFrame(const QVideoFrame& frame) {
    if (isPaused() || !frame.isValid()) return;
    offerFrame(frame.toImage());
}

void QtCamera::onError() {
    if (m_camera) fail(m_camera->errorString());
}

}  // namespace ov::platform

#pragma once
// A camera as the capture windows use it. The back-end delivers frames from its own thread
// through `offerFrame`; the owner hears of them by `frameReady` in its own thread and takes
// `lastFrame`. Pausing keeps the last frame and drops new ones until `resume`.

#include "platform/camera/framerelay.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

namespace ov::platform {

class CameraDevice : public QObject {
    Q_OBJECT
public:
    explicit CameraDevice(QObject* parent = nullptr);

    // Names of the cameras present, in the system's order.
    virtual QStringList deviceNames() const = 0;
    // The frame sizes the named camera offers, as "W*H" texts, each once, in its order.
    virtual QStringList frameSizes(const QString& device) const = 0;
    // Starts the named camera with the size (a "W*H" text, or empty for its default); false
    // with `errorText` when there is no such camera or it cannot start.
    virtual bool start(const QString& device, const QString& size) = 0;
    // Changes the size of the running camera; false with `errorText` when it is not offered.
    virtual bool setFrameSize(const QString& size) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    void pause() { m_relay.setHeld(true); }
    void resume() { m_relay.setHeld(false); }
    bool isPaused() const { return m_relay.isHeld(); }
    QImage lastFrame() const { return m_relay.last(); }
    QString errorText() const { return m_error; }

signals:
    void frameReady();

protected:
    // Any thread: a new frame from the device.
    void offerFrame(const QImage& frame) { m_relay.offer(frame); }
    void clearFrames() { m_relay.clear(); }
    bool fail(const QString& text);
    void clearError() { m_error.clear(); }

private:
    FrameRelay m_relay;
    QString m_error;
};

}  // namespace ov::platform

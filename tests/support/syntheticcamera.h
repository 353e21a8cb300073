#pragma once
// A camera whose frames come from a test thread: frame i is 8 x 6 pixels of grey level i.

#include "platform/camera/cameradevice.h"

#include <QImage>
#include <thread>

namespace ov::test {

class SyntheticCamera : public platform::CameraDevice {
public:
    QStringList deviceNames() const override { return {QStringLiteral("Synthetic")}; }
    QStringList frameSizes(const QString&) const override { return {QStringLiteral("8*6")}; }
    bool start(const QString&, const QString&) override { return m_active = true; }
    bool setFrameSize(const QString&) override { return true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    // Frames `first`..`last` from a capture thread, in order.
    void feed(int first, int last) {
        std::thread producer([this, first, last] {
            for (int i = first; i <= last; ++i) offerFrame(frame(i));
        });
        producer.join();
    }
    void feed(int count) { feed(1, count); }
    static QImage frame(int grey) {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(qRgb(grey, grey, grey));
        return image;
    }

private:
    bool m_active = false;
};

}  // namespace ov::test

// The camera layer: frames offered on another thread reach the owner's thread by a queued
// signal, newest frame last; a paused camera keeps its frame; sizes as "W*H"; and Qt
// Multimedia's device list refuses a camera that is not there with a clear error.
#include "platform/camera/cameradevice.h"
#include "platform/camera/framesize.h"
#include "platform/camera/qtcamera.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <thread>

using namespace Qt::StringLiterals;
using ov::platform::CameraDevice;

namespace {

// A camera whose frames come from a test thread: each frame is filled with its number as grey.
class SyntheticCamera : public CameraDevice {
public:
    QStringList deviceNames() const override { return {u"Synthetic"_s}; }
    QStringList frameSizes(const QString&) const override { return {u"8*6"_s}; }
    bool start(const QString&, const QString&) override { return m_active = true; }
    bool setFrameSize(const QString&) override { return true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    void feed(int count) {
        std::thread producer([this, count] {
            for (int i = 1; i <= count; ++i) offerFrame(frame(i));
        });
        producer.join();
    }
    static QImage frame(int grey) {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(qRgb(grey, grey, grey));
        return image;
    }

private:
    bool m_active = false;
};

void runEventsFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

int grey(const QImage& image) {
    return qRed(image.pixel(0, 0));
}

}  // namespace

TEST(Camera, FramesFromTheCaptureThreadArriveOnTheOwnersThreadNewestLast) {
    SyntheticCamera camera;
    int signals_ = 0;
    bool onOwnerThread = true;
    int seen = 0;
    QObject::connect(&camera, &CameraDevice::frameReady, [&] {
        ++signals_;
        onOwnerThread = onOwnerThread && QThread::currentThread() == camera.thread();
        seen = grey(camera.lastFrame());
    });
    camera.feed(200);
    EXPECT_EQ(signals_, 0) << "nothing is delivered inside the capture thread";
    runEventsFor(50);
    EXPECT_GE(signals_, 1);
    EXPECT_LT(signals_, 200) << "frames waiting for the owner replace each other";
    EXPECT_TRUE(onOwnerThread);
    EXPECT_EQ(seen, 200);
}

TEST(Camera, PausedCameraKeepsItsFrameUntilResumed) {
    SyntheticCamera camera;
    int signals_ = 0;
    QObject::connect(&camera, &CameraDevice::frameReady, [&] { ++signals_; });
    camera.feed(3);
    runEventsFor(20);
    camera.pause();
    signals_ = 0;
    camera.feed(9);
    runEventsFor(20);
    EXPECT_EQ(signals_, 0);
    EXPECT_EQ(grey(camera.lastFrame()), 3);
    camera.resume();
    camera.feed(7);
    runEventsFor(20);
    EXPECT_EQ(signals_, 1);
    EXPECT_EQ(grey(camera.lastFrame()), 7);
}

TEST(Camera, PendingNotificationDiesWithTheCamera) {
    auto camera = std::make_unique<SyntheticCamera>();
    camera->feed(1);
    camera.reset();
    runEventsFor(20);  // must not touch the freed camera
    SUCCEED();
}

TEST(Camera, FrameSizeTexts) {
    struct Case { QString text; std::optional<QSize> size; };
    const Case cases[] = {
        {u"1280*720"_s, QSize(1280, 720)},
        {u" 640 * 480 "_s, QSize(640, 480)},
        {u"640x480"_s, std::nullopt},
        {u"0*480"_s, std::nullopt},
        {u"640*"_s, std::nullopt},
        {u"-1*5"_s, std::nullopt},
        {u"70000*5"_s, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ov::platform::parseFrameSize(c.text), c.size) << c.text.toStdString();
    }
    EXPECT_EQ(ov::platform::frameSizeText(QSize(1920, 1080)), u"1920*1080"_s);
}

TEST(Camera, QtMultimediaRefusesACameraThatIsNotThere) {
    ov::platform::QtCamera camera;
    const QString name = u"No such camera 7f3a"_s;
    EXPECT_FALSE(camera.deviceNames().contains(name));
    EXPECT_TRUE(camera.frameSizes(name).isEmpty());
    EXPECT_FALSE(camera.start(name, QString()));
    EXPECT_FALSE(camera.isActive());
    EXPECT_FALSE(camera.errorText().isEmpty());
    if (!camera.deviceNames().isEmpty()) {
        EXPECT_TRUE(camera.errorText().contains(name));
    }
    EXPECT_FALSE(camera.setFrameSize(u"640*480"_s));
    EXPECT_TRUE(camera.lastFrame().isNull());
}

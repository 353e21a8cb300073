// Pictures of the camera form (waiting, and showing a still) and the camera chooser in both
// languages, into the build's screenshots folder, for checking by eye.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPainter>

#include "control/qrcode/selectcam.h"
#include "control/qrcode/webcammain.h"
#include "platform/camera/cameradevice.h"
#include "support/temphome.h"

using namespace Qt::StringLiterals;
using namespace ov::control;

namespace {

class NoCamera : public ov::platform::CameraDevice {
public:
    QStringList deviceNames() const override { return {u"Camera A"_s}; }
    QStringList frameSizes(const QString&) const override { return {}; }
    bool start(const QString&, const QString&) override { return false; }
    bool setFrameSize(const QString&) override { return false; }
    void stop() override {}
    bool isActive() const override { return false; }
};

void Save(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(OV_SHOT_DIR));
    widget.show();
    QApplication::processEvents();
    EXPECT_TRUE(widget.grab().save(QStringLiteral(OV_SHOT_DIR "/") + name));
}

TEST(QrCodeShots, FormsInBothLanguages) {
    int argc = 1;
    char name[] = "shots";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    ov::test::TempHome home;
    TQrCodeScanFrm::Cameras() = [] { return std::make_unique<NoCamera>(); };
    for (const auto language : {ov::HSL_CN, ov::HSL_ENG}) {
        const QString suffix = language == ov::HSL_CN ? u"-cn.png"_s : u"-en.png"_s;
        TQrCodeScanFrm form(language);
        form.resize(553, 416);
        Save(form, u"qrcode-waiting"_s + suffix);
        QImage still(320, 240, QImage::Format_RGB32);
        still.fill(Qt::lightGray);
        QPainter(&still).drawText(still.rect(), Qt::AlignCenter, u"still"_s);
        form.FVideoBitmap = still;
        form.PaintBox1->Picture = still;
        Save(form, u"qrcode-still"_s + suffix);
    }
    TSelectCamFrm chooser({u"Camera A"_s, u"Camera B"_s});
    Save(chooser, u"qrcode-chooser.png"_s);
}

}  // namespace

// Codes made by zxing-cpp itself come back exactly from pictures and from a camera's still;
// the camera form's life through its members, and the path without a camera.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "codepicture.h"
#include "control/controlfixture.h"
#include "control/members/members.h"
#include "control/qrcode/codereader.h"
#include "control/qrcode/webcammain.h"
#include "core/paths.h"
#include "platform/camera/cameradevice.h"

using namespace Qt::StringLiterals;
namespace members = ov::control::members;
using ov::control::TQrCodeScanFrm;
using ov::test::CodePicture;

namespace {

// A camera that shows one picture as its frames.
class StillCamera : public ov::platform::CameraDevice {
public:
    static inline QImage picture;
    static inline int listings = 0;
    QStringList deviceNames() const override {
        ++listings;
        return {u"Still camera"_s};
    }
    QStringList frameSizes(const QString&) const override { return {u"640*480"_s}; }
    bool start(const QString& device, const QString&) override {
        m_active = device == u"Still camera"_s;
        if (m_active) offerFrame(picture);
        return m_active;
    }
    bool setFrameSize(const QString&) override { return true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

private:
    bool m_active = false;
};

const QString kChinese = u"文档管理系统 https://例子.cn/?q=二维码&x=1"_s;

TEST(CodeReader, ReadsCodesExactly) {
    EXPECT_EQ(ov::control::ReadCodeFromImage(
                  CodePicture(kChinese, ZXing::BarcodeFormat::QRCode, 300, 300)),
              kChinese);
    const QImage bars = CodePicture(u"OV-2026-000042"_s, ZXing::BarcodeFormat::Code128, 500, 120);
    EXPECT_EQ(ov::control::ReadCodeFromImage(bars), u"OV-2026-000042"_s);
    EXPECT_EQ(ov::control::ReadCodeFromImage(bars.transformed(QTransform().rotate(90))),
              u"OV-2026-000042"_s);
    QImage blank(400, 400, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(ov::control::ReadCodeFromImage(blank), QString());
    EXPECT_EQ(ov::control::ReadCodeFromFile(u"/nonexistent/still.bmp"_s), QString());
}

class QrCode : public ov::test::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        saved = TQrCodeScanFrm::Cameras();
    }
    void TearDown() override {
        TQrCodeScanFrm::Cameras() = saved;
        ControlTest::TearDown();
    }
    TQrCodeScanFrm* Form() {
        return form->findChild<TQrCodeScanFrm*>(u"QrCodeScanFrm"_s, Qt::FindDirectChildrenOnly);
    }
    TQrCodeScanFrm::CameraFactory saved;
};

TEST_F(QrCode, ReadsTheStillOfTheCamera) {
    TQrCodeScanFrm::Cameras() = [] { return std::make_unique<StillCamera>(); };
    StillCamera::picture = CodePicture(kChinese, ZXing::BarcodeFormat::QRCode, 320, 320);
    StillCamera::listings = 0;
    EXPECT_EQ(members::ReadCode(*form), QString());  // before WebCamOpen
    members::WebCamOpen(*form);
    QCoreApplication::processEvents();
    ASSERT_NE(Form(), nullptr);
    EXPECT_EQ(Form()->FDeviceName, u"Still camera"_s);
    EXPECT_TRUE(Form()->Label1->isHidden());
    EXPECT_EQ(members::ReadCode(*form), kChinese);
    const QString still = Form()->FBmpFileName;
    EXPECT_TRUE(still.startsWith(ov::GetLocalTempPath())) << still.toStdString();
    EXPECT_TRUE(QFile::exists(still));

    members::WebCamOpen(*form);  // the camera is not asked for again
    EXPECT_EQ(StillCamera::listings, 1);
    members::WebCamFree(*form);
    EXPECT_EQ(Form(), nullptr);
    EXPECT_FALSE(QFile::exists(still));
    EXPECT_EQ(members::ReadCode(*form), QString());
}

TEST_F(QrCode, WithoutACameraSaysSo) {
    QString said;
    QTimer::singleShot(300, [&said] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                said = box->windowTitle() + u'|' + box->text();
                box->accept();
            }
    });
    members::WebCamOpen(*form);
    EXPECT_TRUE(said == u"提示|调用摄像头失败!"_s || said == u"hint|Call the camera fails!"_s)
        << said.toStdString();
    EXPECT_EQ(members::ReadCode(*form), QString());
    members::WebCamFree(*form);
}

}  // namespace

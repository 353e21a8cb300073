#include "control/qrcode/picturecamera.h"

#include <QFileInfo>
#include <QImageReader>

#include "platform/camera/framesize.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr qint64 kMaxPictureBytes = 32 * 1024 * 1024;
constexpr int kMaxPictureSide = 8192;

// The picture of a regular file of bounded size and dimensions; null otherwise.
QImage LoadPicture(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > kMaxPictureBytes) return {};
    QImageReader reader(fileName);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return {};
    return reader.read();
}

}  // namespace

PictureCamera::PictureCamera(const QString& fileName, QObject* parent)
    : CameraDevice(parent),
      m_name(QFileInfo(fileName).fileName()),
      m_picture(LoadPicture(fileName)) {}

QStringList PictureCamera::deviceNames() const {
    return m_picture.isNull() ? QStringList() : QStringList{m_name};
}

QStringList PictureCamera::frameSizes(const QString& device) const {
    if (device != m_name || m_picture.isNull()) return {};
    return {platform::frameSizeText(m_picture.size())};
}

bool PictureCamera::start(const QString& device, const QString&) {
    if (device != m_name || m_picture.isNull()) return fail(u"No such camera: "_s + device);
    clearError();
    m_active = true;
    offerFrame(m_picture);
    return true;
}

bool PictureCamera::setFrameSize(const QString& size) {
    return size == platform::frameSizeText(m_picture.size()) || fail(u"Size not offered"_s);
}

std::unique_ptr<platform::CameraDevice> PictureCameraFromEnvironment() {
    const QString fileName = qEnvironmentVariable("OV_CAMERA_PICTURE");
    if (fileName.isEmpty()) return nullptr;
    return std::make_unique<PictureCamera>(fileName);
}

}  // namespace ov::control

#include "platform/camera/framerelay.h"

#include <QMetaObject>
#include <QMutexLocker>

namespace ov::platform {

void FrameRelay::offer(const QImage& frame) {
    if (m_held.load() || frame.isNull()) return;
    {
        QMutexLocker lock(&m_lock);
        m_last = frame;
    }
    if (!m_posted.exchange(true)) {
        QMetaObject::invokeMethod(this, &FrameRelay::notify, Qt::QueuedConnection);
    }
}

QImage FrameRelay::last() const {
    QMutexLocker lock(&m_lock);
    return m_last;
}

void FrameRelay::clear() {
    QMutexLocker lock(&m_lock);
    m_last = QImage();
}

void FrameRelay::notify() {
    m_posted.store(false);
    if (!m_held.load()) emit frameReady();
}

}  // namespace ov::platform

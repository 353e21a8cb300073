#pragma once
// The hand-over of camera frames from the capture thread to the thread that owns the relay.
// `offer` may be called from any thread: it keeps the frame as the last one and posts one
// notification; `frameReady` is then emitted in the owner's thread. Frames that arrive before
// the owner has taken the notification replace each other, so a slow window never queues up
// frames. While held, offers are dropped and the last frame stays as it is.

#include <QImage>
#include <QMutex>
#include <QObject>
#include <atomic>

namespace ov::platform {

class FrameRelay : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void offer(const QImage& frame);
    QImage last() const;
    void setHeld(bool held) { m_held.store(held); }
    bool isHeld() const { return m_held.load(); }
    void clear();

signals:
    void frameReady();

private:
    void notify();

    mutable QMutex m_lock;
    QImage m_last;
    std::atomic_bool m_posted{false};
    std::atomic_bool m_held{false};
};

}  // namespace ov::platform

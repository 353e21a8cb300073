#pragma once
// Reads a MIME file (mail or web archive) on a thread of its own and hands the message over on
// the thread the object lives in (loaded()). Destroying the object waits for a read in
// progress (bounded by the reader's size limit) and drops its result.

#include "platform/mime/mimemessage.h"

#include <QObject>
#include <memory>
#include <thread>

namespace ov {

class MimeLoad : public QObject {
    Q_OBJECT
public:
    explicit MimeLoad(QObject* parent = nullptr) : QObject(parent) {}
    ~MimeLoad() override;

    void start(const QString& fileName, const QString& fallbackCharset);

signals:
    // The message, or null with the reason.
    void loaded(std::shared_ptr<const platform::MimeMessage> message, const QString& error);

private:
    std::jthread m_thread;  // last member: joined before the rest goes away
};

}  // namespace ov

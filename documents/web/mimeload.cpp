#include "documents/web/mimeload.h"

#include <QMetaObject>

namespace ov {

MimeLoad::~MimeLoad() {
    if (m_thread.joinable()) m_thread.join();
}

void MimeLoad::start(const QString& fileName, const QString& fallbackCharset) {
    if (m_thread.joinable()) m_thread.join();
    m_thread = std::jthread([this, fileName, fallbackCharset] {
        QString error;
        auto read = platform::readMimeFile(fileName, fallbackCharset, &error);
        std::shared_ptr<const platform::MimeMessage> message;
        if (read) message = std::make_shared<const platform::MimeMessage>(std::move(*read));
        // Queued to this object: dropped by Qt if the object is destroyed before delivery.
        QMetaObject::invokeMethod(
            this, [this, message, error] { emit loaded(message, error); }, Qt::QueuedConnection);
    });
}

}  // namespace ov

#include "documents/web/mimepageview.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace ov {

MimePageView::MimePageView(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void MimePageView::showMessage(std::shared_ptr<const platform::MimeMessage> message,
                               const QString& charset) {
    m_message = std::move(message);
    m_refused.clear();
    const platform::MimePart* page = m_message ? m_message->body() : nullptr;
    if (!page)
        clear();
    else if (page->contentType == u"text/html"_s)
        setHtml(page->text(charset));
    else
        setPlainText(page->text(charset));
}

void MimePageView::clearMessage() {
    clear();
    m_message.reset();
}

// Only the message's parts answer; the network and local files never do.
QVariant MimePageView::loadResource(int type, const QUrl& name) {
    const QString reference = name.toString();
    const platform::MimePart* part = m_message ? m_message->resource(reference) : nullptr;
    if (!part) {
        if (!m_refused.contains(reference)) m_refused << reference;
        return {};
    }
    if (type == QTextDocument::StyleSheetResource) return part->text();
    return part->data;
}

}  // namespace ov

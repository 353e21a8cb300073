#pragma once
// MimePageView shows the page of a MIME message (its HTML part, else its plain text) as a
// text browser does: no script runs, nothing is fetched from the network or read from local
// files; pictures and style sheets come from the message's own parts only (by "cid:" or by
// their location). Clicking a link does nothing.

#include "platform/mime/mimemessage.h"

#include <QTextBrowser>
#include <memory>

namespace ov {

class MimePageView : public QTextBrowser {
    Q_OBJECT
public:
    explicit MimePageView(QWidget* parent = nullptr);

    // Shows the message's page; texts without a charset of their own are read in `charset`.
    void showMessage(std::shared_ptr<const platform::MimeMessage> message, const QString& charset);
    void clearMessage();
    // The references the page asked for that the message does not hold (never fetched), each
    // once.
    const QStringList& refusedReferences() const { return m_refused; }

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<const platform::MimeMessage> m_message;
    QStringList m_refused;
};

}  // namespace ov

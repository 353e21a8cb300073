#pragma once
// The header panel of the mail previewer: one line each, 24 pixels apart from y = 8 at x = 12,
// for the date, the recipients, the sender and the copy recipients (each only when the mail
// has it, the date always), then "Attachment:" on the next line with the attachments' names as
// links beside it at x = 60 (further right when the label is wider), one under the other. The
// panel is as high as its lines.

#include "documents/web/emltexts.h"
#include "platform/mime/mimemessage.h"

#include <QLabel>
#include <functional>
#include <vector>

class QWidget;

namespace ov {

// A name that acts as a link: navy blue, underlined, a click calls back.
class AttachmentLink : public QLabel {
    Q_OBJECT
public:
    AttachmentLink(const QString& name, QWidget* parent);

signals:
    void clicked(const QString& name);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Fills the panel (which must hold no labels yet) and sets its height; the links call
// `onAttachment` with the attachment's name.
std::vector<AttachmentLink*> BuildEmlHeader(QWidget* panel, const platform::MimeMessage& mail,
                                            const EmlTexts& texts,
                                            const std::function<void(const QString&)>& onAttachment);

}  // namespace ov

#include "documents/web/emlheader.h"

#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kLeft = 12;
constexpr int kLinkLeft = 60;
constexpr int kTop = 8;
constexpr int kLine = 24;

QLabel* addLine(QWidget* panel, int& y, const QString& text, const QString& name) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->move(kLeft, y);
    label->adjustSize();
    label->show();
    y += kLine;
    return label;
}

}  // namespace

AttachmentLink::AttachmentLink(const QString& name, QWidget* parent) : QLabel(name, parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette navy = palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(navy);
}

void AttachmentLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(text());
    QLabel::mouseReleaseEvent(event);
}

std::vector<AttachmentLink*> BuildEmlHeader(QWidget* panel, const platform::MimeMessage& mail,
                                            const EmlTexts& texts,
                                            const std::function<void(const QString&)>& onAttachment) {
    int y = kTop;
    addLine(panel, y, texts.WLS_Date + mail.date.toString(u"yyyy-MM-dd HH:mm:ss"_s), u"lbDate"_s);
    if (!mail.to.isEmpty()) addLine(panel, y, texts.WLS_To + mail.to.join(u", "_s), u"lbTo"_s);
    if (!mail.from.isEmpty()) addLine(panel, y, texts.WLS_From + mail.from, u"lbFrom"_s);
    if (!mail.cc.isEmpty()) addLine(panel, y, texts.WLS_CC + mail.cc.join(u", "_s), u"lbCC"_s);
    std::vector<AttachmentLink*> links;
    int linkLeft = kLinkLeft;
    for (const platform::MimePart* part : mail.attachments()) {
        if (part->fileName.isEmpty()) continue;  // nothing to show or to ask for
        if (links.empty()) {
            const QLabel* label = addLine(panel, y, texts.WLS_Attachment, u"lbAttachment"_s);
            y -= kLine;  // the first name shares the line
            // A wider label (another language, another font) pushes the names right.
            linkLeft = std::max(kLinkLeft, label->x() + label->width() + 4);
        }
        auto* link = new AttachmentLink(part->fileName, panel);
        link->setObjectName(u"lbAttachment%1"_s.arg(links.size() + 1));
        link->move(linkLeft, y);
        link->adjustSize();
        link->show();
        QObject::connect(link, &AttachmentLink::clicked, panel, onAttachment);
        links.push_back(link);
        y += kLine;
    }
    panel->setFixedHeight(y - 4);
    return links;
}

}  // namespace ov

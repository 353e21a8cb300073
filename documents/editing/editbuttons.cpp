#include "documents/editing/editbuttons.h"

#include <QHBoxLayout>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace ov {

QWidget* NewEditToolbarPanel(QWidget* parent, QHBoxLayout*& row) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(u"plToolbar"_s);
    panel->setFixedHeight(32);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch();
    panel->hide();
    return panel;
}

QToolButton* NewEditToolbarButton(QWidget* panel, QHBoxLayout* row, const QString& objectName,
                                  const QString& caption, int width) {
    auto* button = new QToolButton(panel);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFixedSize(width, 30);
    QFont font(u"微软雅黑"_s);
    font.setPixelSize(14);
    font.setBold(true);
    font.setUnderline(true);
    button->setFont(font);
    row->insertWidget(row->count() - 1, button);
    return button;
}

void ColourEditToolbarButton(QToolButton* button) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(0x00, 0x76, 0xA3));
    button->setPalette(palette);
}

}  // namespace ov

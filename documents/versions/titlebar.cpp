#include "documents/versions/titlebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace ov {

TTitleBar::TTitleBar(const QString& barName, const QString& closeName, QWidget* parent)
    : QWidget(parent) {
    setObjectName(barName);
    setAutoFillBackground(true);
    setFixedHeight(26);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x2B, 0x57, 0x9A));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    Title = new QLabel(this);
    QFont bold = Title->font();
    bold.setBold(true);
    Title->setFont(bold);
    MinimiseButton = new QToolButton(this);
    MinimiseButton->setText(u"_"_s);
    MinimiseButton->setAutoRaise(true);
    MinimiseButton->hide();
    CloseButton = new QToolButton(this);
    CloseButton->setObjectName(closeName);
    CloseButton->setText(u"×"_s);
    CloseButton->setAutoRaise(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 0, 2, 0);
    row->addWidget(Title, 1);
    row->addWidget(MinimiseButton);
    row->addWidget(CloseButton);
    connect(CloseButton, &QToolButton::clicked, this, &TTitleBar::closeClicked);
    connect(MinimiseButton, &QToolButton::clicked, this, &TTitleBar::minimiseClicked);
}

void TTitleBar::mousePressEvent(QMouseEvent* event) {
    m_dragging = event->button() == Qt::LeftButton;
    m_origin = event->globalPosition().toPoint() - window()->pos();
}

void TTitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - m_origin);
}

void MakeBorderless(QWidget* window) {
    window->setWindowFlag(Qt::FramelessWindowHint, true);
}

}  // namespace ov

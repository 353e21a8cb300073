#include "client/editmonitor/hintfrm2.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QLabel* picture(QWidget* parent, const QString& name, QStyle::StandardPixmap which) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(20, 27, 48, 48);
    label->setPixmap(parent->style()->standardIcon(which).pixmap(48, 48));
    return label;
}

}  // namespace

THintFrm2::THintFrm2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(u"HintFrm2"_s);
    setWindowTitle(u"HintFrm"_s);
    resize(484, 212);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    FMemo = new QPlainTextEdit(this);
    FMemo->setObjectName(u"Memo1"_s);
    FMemo->setReadOnly(true);
    FMemo->setFrameShape(QFrame::NoFrame);
    FMemo->setGeometry(86, 27, 363, 150);
    QFont font(u"宋体"_s);
    font.setPixelSize(14);
    FMemo->setFont(font);
    FErrorImage = picture(this, u"Image1"_s, QStyle::SP_MessageBoxCritical);
    FHintImage = picture(this, u"Image2"_s, QStyle::SP_MessageBoxInformation);
    FTimer = new QTimer(this);
    FTimer->setObjectName(u"Timer1"_s);
    FTimer->setInterval(1000);
    connect(FTimer, &QTimer::timeout, this, &THintFrm2::Tick);
    FTimer->start();
}

void THintFrm2::SetErrorStr(const QString& text) {
    Update(text, true);
}

void THintFrm2::SetHintStr(const QString& text) {
    Update(text, false);
}

QString THintFrm2::Text() const {
    return FMemo->toPlainText();
}

bool THintFrm2::ShowsError() const {
    return !FErrorImage->isHidden();
}

void THintFrm2::Update(const QString& text, bool error) {
    FLastTime = QDateTime::currentDateTime();
    FMemo->setPlainText(text);
    FErrorImage->setVisible(error);
    FHintImage->setVisible(!error);
}

void THintFrm2::Tick() {
    if (FLastTime.isValid() && FLastTime.msecsTo(QDateTime::currentDateTime()) > HideAfterMs)
        hide();
}

}  // namespace ov

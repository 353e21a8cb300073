// The capture window's camera: starting, the live picture (painted on this thread when a
// frame is announced), pause and still.
#include "documents/capture/twainxefrm.h"
#include "platform/camera/cameradevice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ov {

void TTwainXeFrm::SourceChanged() {
    const int index = cbTwainSource->currentIndex();
    if (index < 0) return;
    FIsVideo = cbTwainSource->itemData(index).toInt() == CameraSource;
    chbShowUI->setVisible(!FIsVideo);
    tbVideoPause->setVisible(FIsVideo);
    if (FIsVideo) {
        StartCamera();
        FVideoActivated = true;
        return;
    }
    cbVideoSize->hide();
    PaintBox1->hide();
    if (FVideoX) FVideoX->stop();
    FVideoActivated = false;
    Image1->show();
}

void TTwainXeFrm::StartCamera() {
    const int index = cbTwainSource->currentIndex();
    if (!FVideoX || index < 0) return;
    Image1->hide();
    LabelVideo->show();
    PaintBox1->show();
    if (!FVideoX->isActive()) {
        PaintBox1->resize(ScrollBox1->viewport()->size());
        QPixmap white(PaintBox1->size());
        white.fill(Qt::white);
        PaintBox1->setPixmap(white);
        const QString device = cbTwainSource->itemText(index);
        cbVideoSize->clear();
        cbVideoSize->addItems(FVideoX->frameSizes(device));
        cbVideoSize->show();
        for (int i = 0; i < cbVideoSize->count(); ++i)
            if (cbVideoSize->itemText(i).section(u'*', 0, 0).toInt() > 900) {
                cbVideoSize->setCurrentIndex(i);
                break;
            }
        FVideoX->start(device, cbVideoSize->currentText());
    }
    FVideoX->resume();
    tbVideoPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    LabelVideo->hide();
}

// The last frame, unscaled when it fits the box, else shrunk to it keeping its proportions.
void TTwainXeFrm::PaintFrame() {
    if (!FVideoX || !PaintBox1->isVisible()) return;
    const QImage frame = FVideoX->lastFrame();
    if (frame.isNull()) return;
    const QSize box = ScrollBox1->viewport()->size();
    const double rw = (frame.width() + 1.0) / (box.width() + 1.0);
    const double rh = (frame.height() + 1.0) / (box.height() + 1.0);
    QPixmap canvas(box);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    if (rw <= 1 && rh <= 1)
        painter.drawImage(0, 0, frame);
    else if (rw <= rh)
        painter.drawImage(QRect(0, 0, int(std::nearbyint(frame.width() / rh)), box.height()),
                          frame);
    else
        painter.drawImage(QRect(0, 0, box.width(), int(std::nearbyint(frame.height() / rw))),
                          frame);
    painter.end();
    PaintBox1->resize(box);
    PaintBox1->setPixmap(canvas);
}

void TTwainXeFrm::TogglePause() {
    if (!FVideoX) return;
    if (FVideoX->isPaused()) {
        Image1->hide();
        PaintBox1->show();
        tbVideoPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
        FVideoX->resume();
        return;
    }
    TakeStill();
}

// The current frame becomes the only page; the camera pauses and the page is shown.
void TTwainXeFrm::TakeStill() {
    const QImage frame = FVideoX->lastFrame();
    FVideoX->pause();
    m_pages.Clear();
    FMarkedIndex = -1;
    if (!frame.isNull()) StorePage(frame);
    PaintBox1->hide();
    Image1->show();
    tbVideoPause->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
}

}  // namespace ov

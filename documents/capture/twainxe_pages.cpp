// The capture window's pages: storing, showing, the page tools, save-as and the upload.
#include "documents/capture/pageimage.h"
#include "documents/capture/twainuploadfrm.h"
#include "documents/capture/twainxefrm.h"
#include "platform/camera/cameradevice.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ov {

void TTwainXeFrm::StorePage(const QImage& page) {
    if (!m_pages.Add(page)) return;
    if (m_pages.Count() == 1) {
        FImgIndex = 0;
        ShowPage(m_pages.Page(0));
    }
    tbSaveAs->show();
    tbAddWatemark->setEnabled(true);
    if (m_pages.Count() >= 2) {
        tbUp->show();
        tbDown->show();
        tbUp->setEnabled(FImgIndex > 0);
        tbDown->setEnabled(FImgIndex < m_pages.Count() - 1);
    }
}

void TTwainXeFrm::ShowPage(const QImage& page) {
    FCurrentBmp = page;
    Image1->setPixmap(QPixmap::fromImage(page));
    ActualSize();
}

void TTwainXeFrm::LoadPage(int index) {
    FImgIndex = index;
    tbUp->setEnabled(index > 0);
    tbDown->setEnabled(index < m_pages.Count() - 1);
    tbAddWatemark->setText(FMarkedIndex == index ? WLS_OrigPic : WLS_AddWatermark);
    ShowPage(m_pages.Page(index));
}

// Every page tool works on the still: a live camera is paused first.
void TTwainXeFrm::ShowPageView() {
    if (FIsVideo && FVideoX && !FVideoX->isPaused()) FVideoX->pause();
    PaintBox1->hide();
    Image1->show();
}

void TTwainXeFrm::Rotate(bool left) {
    ShowPageView();
    if (FCurrentBmp.isNull()) return;
    const QImage turned = RotatePage(FCurrentBmp, left);
    m_pages.Replace(FImgIndex, turned);
    if (FMarkedIndex == FImgIndex) FBeforeMark = RotatePage(FBeforeMark, left);
    ShowPage(turned);
}

void TTwainXeFrm::FitWidth() {
    ShowPageView();
    if (FCurrentBmp.isNull() || FCurrentBmp.width() == 0) return;
    const int w = std::max(1, width() - 20);
    const int h = int(std::nearbyint(double(FCurrentBmp.height()) * w / FCurrentBmp.width()));
    Image1->setPixmap(QPixmap::fromImage(FCurrentBmp.scaled(w, h)));
    Image1->setGeometry(10, 10, w, h);
    Image1->parentWidget()->resize(w + 20, h + 20);
}

void TTwainXeFrm::FitHeight() {
    ShowPageView();
    if (FCurrentBmp.isNull() || FCurrentBmp.height() == 0) return;
    const int h = std::max(1, height() - 20);
    const int w = int(std::nearbyint(double(FCurrentBmp.width()) * h / FCurrentBmp.height()));
    Image1->setPixmap(QPixmap::fromImage(FCurrentBmp.scaled(w, h)));
    Image1->setGeometry(10, 10, w, h);
    Image1->parentWidget()->resize(w + 20, h + 20);
}

void TTwainXeFrm::ActualSize() {
    Image1->setPixmap(QPixmap::fromImage(FCurrentBmp));
    Image1->setGeometry(10, 10, FCurrentBmp.width(), FCurrentBmp.height());
    Image1->parentWidget()->resize(FCurrentBmp.width() + 20, FCurrentBmp.height() + 20);
}

void TTwainXeFrm::PagePrevious() {
    ShowPageView();
    if (FImgIndex > 0) LoadPage(FImgIndex - 1);
}

void TTwainXeFrm::PageNext() {
    ShowPageView();
    if (FImgIndex < m_pages.Count() - 1) LoadPage(FImgIndex + 1);
}

// The watermarked page goes into the page file; the page before it is kept, so "Original"
// puts it back.
void TTwainXeFrm::ToggleWatermark() {
    ShowPageView();
    if (FCurrentBmp.isNull()) return;
    if (FMarkedIndex == FImgIndex) {
        m_pages.Replace(FImgIndex, FBeforeMark);
        FMarkedIndex = -1;
        FBeforeMark = QImage();
        tbAddWatemark->setText(WLS_AddWatermark);
        ShowPage(m_pages.Page(FImgIndex));
        return;
    }
    if (FWatermark.isNull()) return;
    FBeforeMark = FCurrentBmp;
    FMarkedIndex = FImgIndex;
    const QImage marked = AddWatermark(FCurrentBmp, FWatermark);
    m_pages.Replace(FImgIndex, marked);
    tbAddWatemark->setText(WLS_OrigPic);
    ShowPage(marked);
}

void TTwainXeFrm::SaveAs() {
    ShowPageView();
    if (FCurrentBmp.isNull()) return;
    QString filter = u"JPEG Image File (*.jpg)"_s;
    const QString name =
        AskSaveName ? AskSaveName(this, filter)
                    : QFileDialog::getSaveFileName(this, WLS_SaveAs, QString(),
                                                   u"JPEG Image File (*.jpg);;Bitmaps (*.bmp)"_s,
                                                   &filter);
    if (name.isEmpty()) return;
    const bool jpeg = filter.contains(u"jpg"_s);
    QString target = name;
    if (QFileInfo(target).suffix().isEmpty()) target += jpeg ? u".jpg"_s : u".bmp"_s;
    if (!FCurrentBmp.save(target, jpeg ? "JPEG" : "BMP"))
        Ui.Tell(this, WLS_Caption, u"Cannot save %1"_s.arg(target), true);
    activateWindow();
}

bool TTwainXeFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Image1) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        FClickPos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    } else if (event->type() == QEvent::MouseMove) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!(e->buttons() & Qt::LeftButton)) return false;
        const QPoint now = e->globalPosition().toPoint();
        const QPoint d = now - FClickPos;
        FClickPos = now;
        ScrollBox1->horizontalScrollBar()->setValue(ScrollBox1->horizontalScrollBar()->value() -
                                                    d.x());
        ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->value() -
                                                  d.y());
    }
    return false;
}

QString TTwainXeFrm::Upload() {
    if (FIsVideo) {
        if (!FVideoActivated || !FVideoX) return {};
        if (!FVideoX->isPaused()) TakeStill();
    }
    return RunUpload();
}

QString TTwainXeFrm::RunUpload() {
    if (m_pages.Count() == 0) {
        Ui.Tell(this, WLS_Caption, WLS_NoImageFile, false);
        return {};
    }
    TTwainUploadFrm dialog(this);
    dialog.Ui = Ui;
    dialog.Access = Access;
    dialog.OnUpladTwainFile = [this](int index, std::int32_t& owner, std::int64_t& folder,
                                     int& all, QString& file) {
        all = m_pages.Count();
        if (index < 0 || index >= all) return false;
        owner = UploadOwnerId;
        folder = UploadFolderId;
        file = m_pages.FileName(index);
        return true;
    };
    if (OnUploadDialog) OnUploadDialog(dialog);
    if (ExecModal) ExecModal(dialog);
    else dialog.exec();
    const QString keys = dialog.IsOver() ? dialog.FileKeys() : QString();
    // The pages were handed over (or given up): their files go now.
    m_pages.Clear();
    FMarkedIndex = -1;
    tbSaveAs->hide();
    tbUp->hide();
    tbDown->hide();
    return keys;
}

}  // namespace ov

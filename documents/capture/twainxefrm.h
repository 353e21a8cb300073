#pragma once
// The capture window: scanners (SANE) and, where the creator asks for them, cameras in one
// source list; pages acquired page after page (or a still of the live camera picture) into a
// private page store; the page view with turning, fitting, paging, panning, the server's
// watermark and save-as; and the upload of every page as JPEG into a server folder.
// Scanning runs on a worker and hands each page to this window's thread; camera frames arrive
// by a queued signal and are painted here, never on the capture thread.

#include "core/types.h"
#include "documents/capture/pagestore.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"
#include "platform/scanner/scanner.h"

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace ov {

namespace platform {
class CameraDevice;
}

class TTwainXeFrm : public QWidget {
    Q_OBJECT
public:
    enum SourceKind { ScannerSource = 1, CameraSource = 2 };

    // `camera` (may be null) is the camera back-end `VideoInit` lists; the form takes it over.
    explicit TTwainXeFrm(QWidget* parent = nullptr, platform::CameraDevice* camera = nullptr);
    ~TTwainXeFrm() override;

    void Acquire();
    // The comma-joined keys of the uploaded pages, or "" when nothing was uploaded.
    QString Upload();
    // Adds the cameras to the source list.
    void VideoInit();

    // The longest silence of the watermark's server (the picture is left out after it).
    int WatermarkTimeoutMs = 600;
    std::int32_t UploadOwnerId = 0;
    std::int64_t UploadFolderId = 0;

    const TPageStore& Pages() const { return m_pages; }
    int ImageIndex() const { return FImgIndex; }
    QImage CurrentPage() const { return FCurrentBmp; }
    bool HasWatermark() const { return !FWatermark.isNull(); }

    // What tests replace: messages, the settings dialog, the save name, modal runs.
    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();
    std::function<std::optional<platform::ScannerSettings>(
        QWidget*, const QStringList& modes, const QStringList& sources,
        const std::vector<int>& resolutions, const platform::ScannerSettings& current)>
        AskScanSettings;
    std::function<QString(QWidget*, QString& filter)> AskSaveName;
    std::function<int(QDialog&)> ExecModal;
    // Called with the upload dialog before it runs (tests fill in the name and press Upload).
    std::function<void(QDialog&)> OnUploadDialog;

    QComboBox* cbTwainSource = nullptr;
    QCheckBox* chbShowUI = nullptr;
    QComboBox* cbVideoSize = nullptr;
    QToolButton *tbVideoPause = nullptr, *tbLeft = nullptr, *tbRight = nullptr,
                *ToolButton2 = nullptr, *tbWi = nullptr, *tbHi = nullptr, *tbUp = nullptr,
                *tbDown = nullptr, *tbAddWatemark = nullptr, *tbSaveAs = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* PaintBox1 = nullptr;
    QLabel* LabelVideo = nullptr;
    QWidget* plUpload = nullptr;
    QPushButton *sptAcquire = nullptr, *spbSaveUpload = nullptr, *spbCancel = nullptr;

signals:
    void sourcesReady();
    // An acquisition is over (pages stored, or the error text).
    void acquired(int pages, const QString& error);
    void watermarkReady();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadTexts();
    void CreateWidgets();
    void CreateToolBar(QWidget* bar);
    void LoadSources();
    void FetchWatermark();
    void RebuildSourceList();
    void SourceChanged();
    void AcquireScanner(const QString& device);
    void ScanWith(const QString& device, const platform::ScannerSettings& settings);
    void StorePage(const QImage& page);
    void ShowPage(const QImage& page);
    void LoadPage(int index);
    void ShowPageView();
    // Camera.
    void StartCamera();
    void PaintFrame();
    void TogglePause();
    void TakeStill();
    // Page tools.
    void Rotate(bool left);
    void FitWidth();
    void FitHeight();
    void ActualSize();
    void PagePrevious();
    void PageNext();
    void ToggleWatermark();
    void SaveAs();
    QString RunUpload();

    THS_Language FHS_Language = HSL_NONE;
    QString WLS_Caption, WLS_ShowUI, WLS_Sel, WLS_Exit, WLS_SaveAs, WLS_AddWatermark, WLS_OrigPic,
        WLS_NoFindTwain, WLS_SelectedTwain, WLS_TwainInit, WLS_NoImageFile, WLS_Over;
    std::vector<platform::ScannerSource> FTwainList;
    QStringList FVideoDeviceList;
    TPageStore m_pages;
    int FImgIndex = 0;
    QImage FCurrentBmp;
    QImage FBeforeMark;  // the page before its watermark (index FMarkedIndex)
    int FMarkedIndex = -1;
    QImage FWatermark;
    bool FIsVideo = false;
    bool FVideoActivated = false;
    bool FScanning = false;
    QPoint FClickPos;
    platform::CameraDevice* FVideoX = nullptr;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov

#pragma once
// The AutoVue previewer: a plain form (not a previewer of the base form) that downloads the
// server file itself into the temporary folder under the file's own name and hands it to the
// AutoVue control. The control is an outside component: a factory creates it, and where it is
// not installed the form says so in its client area instead.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/types.h"

class QLabel;
class QTimer;

namespace ov {

inline constexpr char16_t kAutoVueClassId[] = u"{B6FCC215-D303-11D1-BC6C-0000C078797F}";

// What the form uses of the AutoVue control.
class AutoVueControl : public QWidget {
public:
    using QWidget::QWidget;
    virtual void SetSRC(const QString& fileName) = 0;
    virtual void SetPrintOptions(const QString& name, const QString& value) = 0;
    virtual void PrintIt(bool withDialog) = 0;
    virtual void PrintPreview(bool a, bool b) = 0;
};

// Creates the control with the given parent; null when it is not installed.
using AutoVueControlFactory = std::function<AutoVueControl*(QWidget* parent)>;
// Puts a factory in place of the system's (which has no control); an empty one goes back.
void SetAutoVueControlFactory(AutoVueControlFactory factory);

struct AutoVueDownloadState;

class TAxPrewViewFrm : public QWidget {
    Q_OBJECT
public:
    explicit TAxPrewViewFrm(QWidget* owner = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~TAxPrewViewFrm() override;  // stops the timer, frees the control, deletes the copy

    // Disables printing unless allowed, downloads the file into the temporary folder under
    // its own name and shows it. Does not block: the download runs on a worker thread.
    void ShowFile(std::int64_t FileKey, const QString& FileName, int FileVer);
    void Print(const QString& EffCode);
    void PrintPreview();
    void PrintPreviewExit() {}

    void SetCanPrint(bool value) { FCanPrint = value; }
    bool CanPrint() const { return FCanPrint; }
    void SetHashPs(const QString& value) { FHashPs = value; }
    QString FilePathAndName() const { return FFilePathAndName; }
    // The control; null when AutoVue is not installed.
    AutoVueControl* Control() const { return FControl; }
    // The text the form shows where the control would be (empty while the control is there).
    QString MissingText() const;
    bool IsDownloading() const;

    QTimer* FitTimer;
    QWidget* CornerCover;

signals:
    // After the download: whether the file arrived (and went to the control when there is one).
    void fileShown(bool loaded);

private:
    void FollowContainer();
    void FinishDownload(bool ok);

    AutoVueControl* FControl = nullptr;
    QLabel* FMissing = nullptr;
    QString FRoot;
    QString FHashPs;
    QString FUserIdStr;
    QString FServerHost;
    int FServerPort = 0;
    bool FIsSSL = false;
    THS_Language FHS_Language = HSL_NONE;
    QString FFilePathAndName;
    bool FCanPrint = false;
    std::shared_ptr<AutoVueDownloadState> FDownload;
};

// The last part of a file name from outside, cut at "\" and "/"; "" when nothing usable is
// left ("", ".", "..", or a name with a NUL), so that no path leaves its folder.
QString SafeLocalFileName(const QString& fileName);

}  // namespace ov

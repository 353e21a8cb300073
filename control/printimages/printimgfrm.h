#pragma once
// "Photo Print": the page images of one or more server files ("key|key|"), fetched as JPEG
// from the server's "/getjpg" and printed one job per picture on the printer, paper, copies,
// orientation and margins chosen. The orientation is remembered in the settings. Fetches run on
// a worker; printing follows on this thread as each picture arrives.

#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <QPageSize>
#include <QStringList>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace ov::platform {
class PrinterSource;
}

namespace ov::control {

// The paper sizes offered, in the dialog's order ("A4" first chosen).
struct TPaperChoice {
    QString Name;
    QPageSize::PageSizeId Size;
    int WindowsCode;  // the code stored documents speak of
};
const QVector<TPaperChoice>& PaperChoices();

class TTPrintImgFrm : public QDialog {
    Q_OBJECT
public:
    TTPrintImgFrm(THS_Language language, const platform::PrinterSource& printers,
                  QWidget* parent = nullptr);

    QString ImgFileKey;   // keys separated by "|"
    QString FileVer;      // the version
    QString Index;        // the image index
    QString ImgFileKey2;  // the keys printed, each followed by "|"

    TVersionUi Ui = DefaultVersionUi();
    // The picture of a key's version and index (raises when it cannot be fetched); runs on a
    // worker.
    std::function<QByteArray(const QString& key, const QString& version, const QString& index)>
        FetchImage;
    // The print target of a printer; tests give PDF files.
    std::function<std::unique_ptr<QPrinter>(const QString& printerName)> MakePrinter;

    QComboBox* cboPrinters = nullptr;
    QComboBox* cboPageSize = nullptr;
    QLineEdit* edtNum = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QRadioButton* rdoVertical = nullptr;
    QRadioButton* rdoHorizontal = nullptr;
    QLineEdit* edtMarginX = nullptr;
    QLineEdit* edtMarginY = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

signals:
    void printed(const QString& key);

private:
    void LoadTexts(THS_Language language);
    void CreateWidgets(const platform::PrinterSource& printers);
    void LayOut();
    void btnOKClick();
    void Next(int index);
    void PrintPicture(const QString& key, const QByteArray& jpeg);
    QString L(const QString& cn, const QString& en) const { return FEnglish ? en : cn; }

    bool FEnglish = false;
    int FPrintNum = 1;
    QStringList FKeys;
    QString WLS_Hint, WLS_Failed, WLS_ImgParamError, WLS_SetCopies, WLS_InstallPrinter,
        WLS_PrintParamError, WLS_LeftMargin, WLS_TopMargin, WLS_MarginHint;
    TBackgroundCalls m_calls{this};
};

// The image request of a key, every value percent-encoded.
QString ImageUrl(const QString& serverUrl, const QString& key, const QString& version,
                 const QString& userToken, const QString& index);

}  // namespace ov::control

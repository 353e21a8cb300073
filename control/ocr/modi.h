#pragma once
// `TModiFrm`: the OCR form the control embeds. Its picture page shows the loaded file's pages
// at the zoom chosen in its box (10 % to 100 %, 60 % at first); its text page holds the text
// read from each page under a page header. LoadDoc reads the pictures, Ocr reads their text
// (on a worker thread while this thread keeps painting), GetText gives it, CloseDoc lets the
// pictures go. Progress and failures of the reading reach OnOCRProgress.

#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

#include "core/types.h"

class QComboBox;
class QPlainTextEdit;
class QScrollArea;
class QTabWidget;
class QThread;

namespace ov::control {

class OcrDocument;

class TModiFrm : public QWidget {
    Q_OBJECT
public:
    explicit TModiFrm(THS_Language language, QWidget* parent = nullptr);
    ~TModiFrm() override;

    // A missing file: the message box, nothing loaded. An unreadable picture or a missing
    // engine raises OcrError.
    void LoadDoc();
    void Ocr();
    void CloseDoc();
    QString GetText() const { return FOcrText; }

    QString OcrFileName;
    std::function<void(const QString&)> OnOCRProgress;

    QString WLS_FileNotExist, WLS_Hint, WLS_Loading, WLS_LoadFile, WLS_Modi, WLS_Page, WLS_Over;

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QScrollArea* FView = nullptr;  // the pictures; none until LoadDoc

    // The view's zoom (1.0 = full size).
    double Zoom() const { return m_zoom; }

private:
    void InitLangStrings(THS_Language language);
    void Report(const QString& text);
    void ShowPages();
    void ZoomChanged(int index);
    QStringList RunRecognition(QString& error, bool& alive);

    std::unique_ptr<OcrDocument> m_document;
    std::atomic_bool m_cancel{false};
    QThread* m_worker = nullptr;
    double m_zoom = 0.6;
    QString FOcrText;
};

}  // namespace ov::control

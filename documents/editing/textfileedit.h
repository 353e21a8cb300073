#pragma once
// The online editor of plain-text server files: the latest version in a plain-text editor with
// a few tools (cut, copy, paste, undo, font name and size), saved back in the encoding, mark and
// line ends the file had, and uploaded as a new version through the base form.

#include "documents/editing/fileeditbase.h"
#include "documents/editing/textencoding.h"

#include <QByteArray>

class QComboBox;
class QPlainTextEdit;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace ov {

class TTextFileEditFrm : public TFileEditBaseFrm {
    Q_OBJECT
public:
    explicit TTextFileEditFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    void InitLangStrings() override;
    int Edit(std::int64_t FileKey, const QString& FileName, const QString& FileExt) override;
    int SaveAndUpload(QString& Error) override;
    // Releases the file on the server; the downloaded copy stays.
    void CancelEdit() override;

    QPlainTextEdit* Editor() const { return FEditor; }
    QWidget* Toolbar() const { return FPlToolbar; }
    TextFileFormat FileEncoding() const { return FFileEncoding; }

    // The buttons' handlers: save and upload (closes the form when stored), cancel (asks).
    void spbSaveClick();
    void spbCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildToolbars();
    void BuildStandardToolBar();
    void FillFontNames();
    void LoadEditFile(const QString& FileName);
    bool SaveEditFile();
    void FontNameChange();
    void FontSizeChange();

    QWidget* FPlToolbar = nullptr;
    QToolButton* FSpbSave = nullptr;
    QToolButton* FSpbCancel = nullptr;
    QToolBar* FStandardToolBar = nullptr;
    QComboBox* FFontName = nullptr;
    QSpinBox* FFontSize = nullptr;
    QPlainTextEdit* FEditor = nullptr;
    bool FUpdating = false;
    TextFileFormat FFileEncoding;
    // The file as downloaded and its text: written back as it was while the text is unchanged.
    QByteArray FLoadedBytes;
    QString FLoadedText;
    QString WLS_UpladeOver, WLS_CancelEdit;
};

}  // namespace ov

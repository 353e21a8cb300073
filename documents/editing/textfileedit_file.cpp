// The text editor's work: download and load, save in the file's own encoding and upload,
// cancel, and the two buttons.

#include "documents/editing/textfileedit.h"

#include "core/paths.h"
#include "platform/tempfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Longest file the editor loads (a plain-text editor is no place for more).
constexpr qint64 kMaxTextSize = 64 * 1024 * 1024;

}  // namespace

int TTextFileEditFrm::Edit(std::int64_t FileKey, const QString& FileName, const QString& FileExt) {
    TFileEditBaseFrm::Edit(FileKey, FileName, FileExt);
    FFileKey = FileKey;
    const auto copy = platform::createPreviewFile(FRoot, FileExt);
    if (!copy) return 0;
    FEditFileName = *copy;
    if (!DownloadEditFile()) return 0;
    LoadEditFile(FEditFileName);
    setWindowTitle(u"%1 - "_s.arg(QFileInfo(FSourceFileName).fileName()) + WLS_Edit);
    return 1;
}

void TTextFileEditFrm::LoadEditFile(const QString& FileName) {
    QFile file(FileName);
    FLoadedBytes.clear();
    if (file.open(QIODevice::ReadOnly)) FLoadedBytes = file.read(kMaxTextSize);
    const LoadedText loaded = LoadTextFromBytes(FLoadedBytes);
    FFileEncoding = loaded.format;
    FEditor->setPlainText(loaded.text);
    FLoadedText = FEditor->toPlainText();
    FEditor->setFocus();
    FEditor->document()->setModified(false);
}

// An untouched text goes back byte for byte; an edited one in the file's own format.
bool TTextFileEditFrm::SaveEditFile() {
    const QString text = FEditor->toPlainText();
    const QByteArray bytes =
        text == FLoadedText ? FLoadedBytes : SaveTextToBytes(text, FFileEncoding);
    QSaveFile file(FEditFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return false;
    FEditor->document()->setModified(false);
    FLoadedBytes = bytes;
    FLoadedText = text;
    return true;
}

int TTextFileEditFrm::SaveAndUpload(QString& Error) {
    int result = TFileEditBaseFrm::SaveAndUpload(Error);
    if (!SaveEditFile()) {
        AddNote(WLS_KeptLocal + FEditFileName);
    } else if (UploadEditFile(FEditFileName)) {
        QFile::remove(FEditFileName);
        result = 1;
    } else {
        AddNote(WLS_KeptLocal + FEditFileName);
    }
    Error = Notes();
    return result;
}

// The copy and its check-out record stay.
void TTextFileEditFrm::CancelEdit() {
    UnlockEditFile(false);
}

void TTextFileEditFrm::spbSaveClick() {
    SaveUploadAndClose(WLS_UpladeOver);
}

void TTextFileEditFrm::spbCancelClick() {
    ConfirmCancelAndClose(WLS_CancelEdit);
}

}  // namespace ov

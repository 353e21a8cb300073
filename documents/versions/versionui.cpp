#include "documents/versions/versionui.h"

#include "core/widgets/getpathfrm.h"
#include "documents/versions/getnewverhintfrm.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace ov {

namespace {

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TellUser(QWidget* parent, const QString& caption, const QString& text, bool error) {
    QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

QString PickFolderWithDialog(QWidget* parent, const QString& caption, const QString& start) {
    TGetPathFrm picker(parent);
    picker.setWindowTitle(caption);
    if (QFileInfo(start).isDir()) picker.SetSelectedPath(start);
    picker.exec();
    return picker.SelectedPath();
}

bool OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString AskNewerWithForm(QWidget* parent, const QString& fileName, THS_Language language) {
    TGetNewVerHintFrm hint(language, parent);
    hint.SetFileName(fileName);
    hint.exec();
    return hint.ReplaceType();
}

}  // namespace

TVersionUi DefaultVersionUi() {
    return {AskYesNo, TellUser, PickFolderWithDialog, OpenWithDesktop, AskNewerWithForm};
}

}  // namespace ov

// The online editors embedded in the control: the page opens a server file for editing, and
// later uploads the edit as a new version (or into another folder) or cancels it.

#include <QPointer>

#include "control/members/embed.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "core/split.h"
#include "documents/editing/officefileedit.h"
#include "documents/editing/textfileedit.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {
namespace {

bool isOfficeExt(const QString& ext) {
    static const QStringList office{u"doc"_s, u"docx"_s, u"xls"_s, u"xlsx"_s, u"xlsm"_s,
                                    u"ppt"_s, u"pptx"_s, u"wps"_s, u"et"_s,   u"dps"_s};
    return office.contains(ext);
}

TFileEditBaseFrm* newEditor(TQuexFormX& self, const QString& ext) {
    if (isOfficeExt(ext)) return new TOfficeFileEditFrm(&self);
    if (ext == u"txt"_s) return new TTextFileEditFrm(&self);
    return nullptr;
}

// The new editor is remembered; an earlier one stays, covered, until the control ends.
void rememberEditor(TQuexFormX& self, TFileEditBaseFrm* editor) {
    self.Forms.release(ChildForm::Editor);
    QPointer<TFileEditBaseFrm> guarded(editor);
    self.Forms.set(ChildForm::Editor, editor, [guarded] {
        if (guarded) guarded->CloseOleObject();
    });
}

TFileEditBaseFrm* editor(const TQuexFormX& self) {
    return qobject_cast<TFileEditBaseFrm*>(self.Forms.get(ChildForm::Editor));
}

TOfficeFileEditFrm* officeEditor(const TQuexFormX& self) {
    return qobject_cast<TOfficeFileEditFrm*>(self.Forms.get(ChildForm::Editor));
}

const QString kNoEditor = u"Failed to create object"_s;

QString onlyOfficeUploadsElsewhere(const TQuexFormX& self) {
    return self.FLanguage == HSL_CN ? u"只有Office文件可以上传到其他目录"_s
                                    : u"Only office files can be uploaded into another folder"_s;
}

}  // namespace

// 1 when editing started; 0 when it did not, and for files that have no editor.
std::int8_t EditFile(TQuexFormX& self, const QString& FileKey, const QString& FileName,
                     const QString& FileExt) {
    const QString ext = FileExt.toLower();
    TFileEditBaseFrm* form = newEditor(self, ext);
    if (!form) return 0;
    rememberEditor(self, form);
    FillControl(self, form);
    if (auto* office = qobject_cast<TOfficeFileEditFrm*>(form)) office->Toolbar()->show();
    if (auto* text = qobject_cast<TTextFileEditFrm*>(form)) text->Toolbar()->show();
    QPointer<TFileEditBaseFrm> guarded(form);  // a page may close it while the file comes
    const int started = form->Edit(TextToInt64Def0(FileKey), FileName, ext);
    if (guarded) guarded->ClientMax2();
    return static_cast<std::int8_t>(started);
}

QString UploadEditedFile(TQuexFormX& self) {
    TFileEditBaseFrm* form = editor(self);
    if (!form) return kNoEditor;
    QString error;
    return form->SaveAndUpload(error) == 1 ? u"ok"_s : error;
}

// The editor closes but stays remembered, so later members still reach it.
void CancelFileEdit(TQuexFormX& self) {
    if (TFileEditBaseFrm* form = editor(self)) {
        form->CancelEdit();
        form->close();
    }
}

QString UploadEditedFileToOtherFolder(TQuexFormX& self, std::int32_t OwnerId,
                                      std::int32_t FolderId) {
    if (!editor(self)) return kNoEditor;
    TOfficeFileEditFrm* office = officeEditor(self);
    if (!office) return onlyOfficeUploadsElsewhere(self);
    return office->UploadEditedFileToOtherFolder(OwnerId, FolderId);
}

void ResetEditedWordAppHandle(TQuexFormX& self) {
    if (TOfficeFileEditFrm* office = officeEditor(self)) office->ResetWordAppHandle();
}

}  // namespace ov::control::members

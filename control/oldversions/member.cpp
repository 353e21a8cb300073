// The member GetOldVer: the dialog of older versions, modal, with the control's log window.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/oldversions/getoldverfrm.h"
#include "core/paths.h"
#include "documents/versions/hintfrmxe.h"

#include <memory>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

// The control's log window, made on first use and kept with its other child forms.
THintFrmXe* ControlLogWindow(TQuexFormX& self) {
    if (auto* log = qobject_cast<THintFrmXe*>(self.Forms.get(ChildForm::VersionLog))) return log;
    auto* log = new THintFrmXe(self.FLanguage, nullptr);
    self.Forms.set(ChildForm::VersionLog, log);
    return log;
}

std::int64_t KeyOrFail(const QString& text) {
    bool ok = false;
    const std::int64_t key = text.trimmed().toLongLong(&ok);
    if (!ok) throw ovcom::OleError(ovcom::E_INVALIDARG, u"Invalid file key: "_s + text);
    return key;
}

}  // namespace

namespace members {

std::int8_t GetOldVer(TQuexFormX& self, const QString& FileKey, const QString& FileName,
                      const QString& VersionId) {
    const std::int64_t key = KeyOrFail(FileKey);
    THintFrmXe* log = ControlLogWindow(self);
    auto dialog = std::make_unique<TGetOldVerFrm>(&self);
    dialog->SetHintForm(log);
    dialog->Init(FileName, VersionId, GetUserDataPath(), key);
    dialog->IsUkDownload = false;
    dialog->exec();
    log->ShowInFront();
    return std::int8_t(dialog->Succeed());
}

}  // namespace members

}  // namespace ov::control

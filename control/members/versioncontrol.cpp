// Version control from the page: check-out, cancel check-out and check-in of a list of files,
// the working folder of a server folder, the latest versions of a folder and the comparison of
// a folder with its working folder. The rows of every run go to the control's log window.

#include <QEventLoop>
#include <QPointer>
#include <optional>

#include "control/members/logwindow.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "core/split.h"
#include "documents/versions/getnewverfrm.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/setcheckoutpathfrm.h"
#include "documents/versions/showdifffrm.h"
#include "documents/versions/versioncontrolfrm.h"

using namespace Qt::StringLiterals;

namespace ov::control {

THintFrmXe* EnsureLogWindow(TQuexFormX& self) {
    if (auto* log = qobject_cast<THintFrmXe*>(self.Forms.get(ChildForm::VersionLog))) return log;
    auto* log = new THintFrmXe(self.FLanguage, &self);
    self.Forms.set(ChildForm::VersionLog, log);
    return log;
}

}  // namespace ov::control

namespace ov::control::members {
namespace {

struct FileList {
    QStringList keys, names;
};

// The names decide the separator: "*" when they hold one, else ",".
FileList splitFiles(const QString& keys, const QString& names) {
    const QChar separator = names.contains(u'*') ? u'*' : u',';
    return {SplitToStrArray(keys, separator), SplitToStrArray(names, separator)};
}

TVersionControlFrm* newVersionControl(TQuexFormX& self, const FileList& files) {
    auto* form = new TVersionControlFrm(&self);
    form->SetHintForm(EnsureLogWindow(self));
    form->Init(files.keys, files.names, self.FAppPath);
    return form;
}

// Starts the form's run and waits, with events going on, for its end; the run's result (0
// when no run started, as after a cancelled check-out).
std::int8_t runToEnd(TVersionControlFrm* form, const std::function<void()>& start) {
    QEventLoop loop;
    std::optional<std::uint8_t> result;
    QPointer<TVersionControlFrm> guarded(form);
    QObject::connect(form, &TVersionControlFrm::finished, &loop, [&](std::uint8_t value) {
        result = value;
        loop.quit();
    });
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    start();
    if (!result && guarded && guarded->Running()) loop.exec();
    return static_cast<std::int8_t>(result.value_or(0));
}

}  // namespace

std::int8_t Checkout(TQuexFormX& self, const QString& FileKey, const QString& FileName) {
    TVersionControlFrm* form = newVersionControl(self, splitFiles(FileKey, FileName));
    const std::int8_t succeed = runToEnd(form, [form] { form->ShowModalRun(); });
    EnsureLogWindow(self)->ShowInFront();
    return succeed;
}

std::int8_t DelCheckoutRec(TQuexFormX& self, const QString& FileKeys, const QString& FileNames) {
    EnsureLogWindow(self)->ShowInFront();
    TVersionControlFrm* form = newVersionControl(self, splitFiles(FileKeys, FileNames));
    return runToEnd(form, [form] { form->CancelCheckout(); });
}

std::int8_t BathCheckinFiles(TQuexFormX& self, const QString& FileKeys,
                             const QString& FileNames) {
    EnsureLogWindow(self)->ShowInFront();
    TVersionControlFrm* form = newVersionControl(self, splitFiles(FileKeys, FileNames));
    return runToEnd(form, [form] { form->BathCheckin(); });
}

void SetWorkPath(TQuexFormX& self, const QString& FolderId) {
    TSetCheckOutPathFrm form(&self);
    form.Init(self.FFileRoot, self.FAppPath, TextToInt64Def0(FolderId));
    form.exec();
}

// Not modal: the form works on and frees itself when closed.
void GetNewVer(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    auto* form = new TGetNewVerFrm(&self);
    form->SetHintForm(EnsureLogWindow(self));
    form->Init(TextToIntDef0(OwnerId), TextToInt64Def0(FolderId), self.FAppPath);
    form->show();
}

void ShowDifference(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    auto* form = new TShowDiffFrm(&self);  // frees itself when closed
    form->Init(TextToIntDef0(OwnerId), TextToInt64Def0(FolderId), self.FAppPath);
    form->exec();
}

}  // namespace ov::control::members

#include "documents/versions/versionwindows.h"

#include "core/globalconfig.h"
#include "documents/versions/getnewverfrm.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/setcheckoutpathfrm.h"
#include "documents/versions/versioncontrolfrm.h"

namespace ov {

TVersionWindows::TVersionWindows(QWidget* owner, THintFrmXe* log, const QString& iniFilePath,
                                 std::function<int(QDialog&)> execModal)
    : m_owner(owner), m_log(log), m_iniFilePath(iniFilePath), m_execModal(std::move(execModal)) {}

int TVersionWindows::Exec(QDialog& dialog) {
    return m_execModal ? m_execModal(dialog) : dialog.exec();
}

void TVersionWindows::SetWorkPath(std::int64_t folderId) {
    TSetCheckOutPathFrm form(m_owner);
    form.Init(GlobalConfig()->WorkRoot(), m_iniFilePath, folderId);
    Exec(form);
}

void TVersionWindows::GetNewVer(std::int32_t ownerId, std::int64_t folderId) {
    auto* form = new TGetNewVerFrm(m_owner);
    form->SetHintForm(m_log);
    form->Init(ownerId, folderId, m_iniFilePath);
    form->show();
}

TVersionControlFrm* TVersionWindows::NewVersionControl(const QStringList& keys,
                                                       const QStringList& names) {
    auto* form = new TVersionControlFrm(m_owner);
    form->SetHintForm(m_log);
    form->Init(keys, names, m_iniFilePath);
    return form;
}

void TVersionWindows::Checkout(const QStringList& keys, const QStringList& names) {
    NewVersionControl(keys, names)->ShowModalRun([this](QDialog& dialog) { return Exec(dialog); });
    if (m_log) m_log->ShowInFront();
}

void TVersionWindows::CancelCheckout(const QStringList& keys, const QStringList& names) {
    if (m_log) m_log->ShowInFront();
    NewVersionControl(keys, names)->CancelCheckout();
}

void TVersionWindows::Checkin(const QStringList& keys, const QStringList& names) {
    if (m_log) m_log->ShowInFront();
    NewVersionControl(keys, names)->BathCheckin();
}

}  // namespace ov

#pragma once
// The version-control windows as a program opens them for a command: the working folder of a
// server folder, the latest versions of a folder, check-out, cancel check-out and check-in of a
// list of files. The program's start-up makes one of these with the log window and hands its
// members to whatever takes the commands.

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <functional>

class QWidget;

namespace ov {

class THintFrmXe;
class TVersionControlFrm;

class TVersionWindows {
public:
    // `owner` owns every window opened; `log` is the process's log window; `iniFilePath` the
    // settings folder. Modal dialogs run through `execModal` (tests play the user there).
    TVersionWindows(QWidget* owner, THintFrmXe* log, const QString& iniFilePath,
                    std::function<int(QDialog&)> execModal = nullptr);

    // The working folder of a server folder (0 or less: the work root), modal.
    void SetWorkPath(std::int64_t folderId);
    // The latest versions of a folder, not modal.
    void GetNewVer(std::int32_t ownerId, std::int64_t folderId);
    // The check-out dialog, modal; then the log window in front.
    void Checkout(const QStringList& keys, const QStringList& names);
    // Runs with the log window in front.
    void CancelCheckout(const QStringList& keys, const QStringList& names);
    void Checkin(const QStringList& keys, const QStringList& names);

private:
    TVersionControlFrm* NewVersionControl(const QStringList& keys, const QStringList& names);
    int Exec(QDialog& dialog);

    QPointer<QWidget> m_owner;
    QPointer<THintFrmXe> m_log;
    QString m_iniFilePath;
    std::function<int(QDialog&)> m_execModal;
};

}  // namespace ov

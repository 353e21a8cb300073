#pragma once
// The web-command dispatcher: the one owner of "WebCmd.txt" and of taking it into the process's
// queue. On every tick of the main window's timer it takes the command file into the queue and
// carries out one queued command. It keeps the previewer and editor
// windows it opened (and frees each one when it is closed), the rectangle new ones are placed
// at, and the hint window that shows web-command errors.

#include <QObject>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

#include "client/webcommands/forms.h"
#include "client/webcommands/frmlist.h"
#include "client/webcommands/webcmd.h"
#include "core/types.h"
#include "documents/preview/viewerwindow.h"

class QDialog;
class QWidget;

namespace ov {

class TPreViewHint;
struct OpenCopyJob;

class TWebModule : public QObject {
    Q_OBJECT
public:
    // The settings' language, folder and preview rectangle are read now; `mainFrm` owns every
    // window the dispatcher opens.
    explicit TWebModule(QWidget* mainFrm);
    // Remembers the rectangle of the window opened last as the settings' PreviewRect, then
    // releases and frees the windows still open.
    ~TWebModule() override;

    // Takes "WebCmd.txt" into the queue; true when a command was queued. A command file that is
    // there is taken at once: later starts wait for the file to be gone before they write
    // theirs.
    bool TakeCommandFile();
    // Carries out at most one queued command; false when the queue was empty.
    bool RunQueuedCommand();
    // One timer tick: takes the command file into the queue, then carries out at most one
    // queued command.
    void DoWebMessage();
    // Carries out one command now (what DoWebMessage does with the command it takes).
    void Execute(const TWebCmd& cmd);
    // Shows the text with the error picture in the hint window, in front; "" shows nothing.
    void ShowWebHint(const QString& text);
    // Makes a previewer or editor a free window at the remembered rectangle, stays on top, with
    // the caption, and lists it (released by `release` when closed).
    void ShowAsWindow(QWidget* form, const QString& caption, std::function<void()> release);
    template <class Form>
    void ShowAsWindow(Form* form, const QString& caption) {
        PlaceAsViewerWindow(form, PMainFrm, FLastPreviewRect, caption);
        PFrmList->AddPreview(form);
    }

    THS_Language Language() const { return FHS_Language; }
    QWidget* MainFrm() const { return PMainFrm; }
    QString ClientPath() const { return FClientPath; }
    QRect LastPreviewRect() const { return FLastPreviewRect; }
    TFrmList& FrmList() const { return *PFrmList; }
    TPreViewHint* HintOfPreviewFrm() const { return PHintOfPreviewFrm.get(); }
    // The windows of the commands; later parts of the program fill in their slots.
    TWebForms& Forms() { return FForms; }

    // How files, modal dialogs and the clipboard are reached; tests put recorders in place.
    // OpenDocument opens a local copy with the desktop's viewer for its type.
    std::function<bool(const QString& path)> OpenDocument;
    std::function<int(QDialog& dialog)> ExecModal;
    // Read time-out of the server connection of code 14.
    int DownloadTimeoutMs = 12000;
    // Whether a code 14 download is running; queued commands wait for its end.
    bool IsOpeningCopy() const { return m_openCopy != nullptr; }

signals:
    // Code 14 has ended: its copy was opened ("") or the text shown says why not.
    void openCopyDone(const QString& error);

private:
    // Each handler returns the error text to show in the hint window; "" when there is none
    // (the command succeeded, or the handler showed its outcome itself).
    QString Dispatch(const TWebCmd& cmd);
    QString DoClipboardCmd(const QString& cmd);
    QString DoOpenCopy(const QString& cmd);
    QString StartOpenCopy(const QString& cmd);
    // On the user-interface thread when the download of code 14 has ended.
    void FinishOpenCopy(const QString& copy, bool downloaded, const QString& error);
    void StopOpenCopy();
    QString DoEditFile(const QString& cmd);
    QString RunEditor(const TWebForms::TEditorSlot& editor, std::int64_t key, const QString& name,
                      const QString& ext);
    QString DoSetWorkPath(const QString& cmd);
    QString DoGetNewVer(const QString& cmd);
    QString DoVersionControl(
        const QString& cmd,
        const std::function<void(const QStringList&, const QStringList&)>& form);
    QString DoFolderForm(const QString& cmd,
                         const std::function<void(std::int32_t, std::int64_t)>& form);
    QString DoSmtpTest(const QString& cmd);
    QString DoBatchDownload(const QString& cmd);
    // The hint for a command whose window is not part of this build.
    QString NotAvailable() const;
    QString LangText(const QString& cn, const QString& eng) const;
    void CreateHint();

    THS_Language FHS_Language;
    QWidget* PMainFrm;
    QString FClientPath;
    QRect FLastPreviewRect;
    std::unique_ptr<TFrmList> PFrmList;
    std::unique_ptr<TPreViewHint> PHintOfPreviewFrm;
    TWebForms FForms;
    // The running code 14 download, shared with its worker.
    std::shared_ptr<OpenCopyJob> m_openCopy;
};

}  // namespace ov

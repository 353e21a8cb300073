// The main window's work tick: web commands, the user-message poll and the two clipboard polls,
// and the fetches after a login.

#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QPixmap>

#include "client/mainwindow/clipboardpoll.h"
#include "client/mainwindow/mainwindow.h"
#include "client/mainwindow/messagepoll.h"
#include "client/mainwindow/serverconfig.h"
#include "client/startup/startup.h"
#include "core/datetime.h"
#include "core/globalconfig.h"
#include "platform/atomicfile.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// The notice's size and its distance from the work area's bottom right corner.
constexpr QSize kNoticeSize(360, 200);
constexpr int kNoticeRight = 380;
constexpr int kNoticeBottom = 230;

// A step of the tick that fails stops alone: the next steps and ticks go on.
template <typename Step>
void guarded(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

void TQUEXClientFrm::TimerMsgTimer() {
    if (!FIsLogin) return;
    // The commands read what the fetch after a login stores (the security levels, the client
    // configuration): while it is under way they wait, on the queue and on the clipboard.
    const bool fetching = m_configTask.IsBusy();
    guarded([this, fetching] {
        Call(FHooks.TakeWebCmdFile);
        if (!fetching) Call(FHooks.RunWebCmd);
    });
    guarded([this] { CheckUserMsg(); });
    if (fetching) return;
    // Both clipboard polls see one reading of the clipboard (it may be large, and another
    // program's to hand over).
    TClipboardView clipboard(*QGuiApplication::clipboard());
    guarded([&] { CheckEditFileCmd(clipboard); });
    guarded([&] { CheckBatchTaskCmd(clipboard); });
}

void TQUEXClientFrm::CheckUserMsg() {
    if (!FIsLogin) return;
    const auto config = GlobalConfig();
    const TMsgPollServer server{config->ServerHost(), config->ServerPort(), config->IsSSL(),
                                config->EncryptUserID(), FHS_Language};
    m_msgPoll->Tick(server, Now(), config->LastTimeOfViewMsg());
}

void TQUEXClientFrm::ShowUserMsg() {
    // A poll that ends after a logout shows nothing.
    if (!FIsLogin || !FHooks.CreateMessageNotice) return;
    // One notice at a time: a poll that finds messages again replaces the one still open.
    if (m_notice) delete m_notice.data();
    HandleMessage(WM_TRAY, 0, kTrayLeftButtonDown);
    if (QLayout* layout = centralWidget()->layout()) layout->activate();
    QWidget* notice = FHooks.CreateMessageNotice(m_workArea);
    if (!notice) return;
    notice->setParent(m_workArea);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setWindowFlags(Qt::Widget);
    notice->setGeometry(
        QRect(QPoint(m_workArea->width() - kNoticeRight, m_workArea->height() - kNoticeBottom),
              kNoticeSize));
    notice->show();
    notice->raise();
    m_notice = notice;
    emit messageNoticeShown();
}

void TQUEXClientFrm::CheckEditFileCmd(TClipboardView& clipboard) {
    if (!FIsLogin || !FHooks.EditFile) return;
    const std::optional<QString> cmd = TakeEditFileCmd(clipboard);
    if (!cmd) return;
    const bool wasVisible = isVisible();
    FileManagerToFront();
    Call(FHooks.FileManagerInit);
    FLastMagFrmSt = true;
    ShowMainFrm();
    FHooks.EditFile(*cmd, wasVisible);
    bool guide = false;
    guarded([&guide] { guide = GlobalConfig()->DisplayEditGuide(); });
    if (guide) Call(FHooks.ShowEditorGuide);
    Call(FHooks.FileManagerSelectOwner);
}

void TQUEXClientFrm::CheckBatchTaskCmd(TClipboardView& clipboard) {
    if (!FIsLogin || !FHooks.BatchAppendTaskCmd) return;
    const std::optional<QString> cmd = TakeBatchTaskCmd(clipboard);
    if (!cmd) return;
    Call(FHooks.FileManagerInit);
    if (PFileMagFrm) PFileMagFrm->show();
    FLastMagFrmSt = true;
    ShowMainFrm();
    BatchToFront();
    Call(FHooks.BatchStartAll);
    FHooks.BatchAppendTaskCmd(*cmd);
    BatchToFront();
}

void TQUEXClientFrm::LoadServerConfig(int userId) {
    if (m_configTask.IsBusy()) {
        // A later login replaces the one being fetched for: that answer will be dropped.
        m_configPending = userId;
        return;
    }
    const TServerConfigRequest what{GlobalConfig()->ServerUrl(), FServerSSL, userId, FHS_Language};
    m_configTask.Start([this, what]() -> std::function<void()> {
        const TServerConfig config = FetchServerConfig(what);
        return [this, config] {
            if (const std::optional<int> next = std::exchange(m_configPending, std::nullopt)) {
                LoadServerConfig(*next);
                return;
            }
            StoreServerConfig(config);
            emit serverConfigLoaded();
        };
    });
}

void TQUEXClientFrm::StoreServerConfig(const TServerConfig& fetched) {
    const auto config = GlobalConfig();
    if (fetched.ScInfos) config->SetScInfos(*fetched.ScInfos);
    if (fetched.FileExtInfo) config->SetFileExtInfo(*fetched.FileExtInfo);
    // No bytes, or bytes that are no picture, keep the logo there is.
    QPixmap logo;
    if (fetched.Logo.isEmpty() || !logo.loadFromData(fetched.Logo)) return;
    if (platform::writeFileAtomically(FLogoPath, fetched.Logo)) LoadLogo();
}

}  // namespace ov

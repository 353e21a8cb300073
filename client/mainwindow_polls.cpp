// The main window's work tick: web commands, the user-message poll and the two clipboard polls,
// and the fetches after a login.

#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QPixmap>

#include "client/clipboardpoll.h"
#include "client/mainwindow.h"
#include "client/mainwindow_background.h"
#include "client/mainwindow_serverconfig.h"
#include "client/messagepoll.h"
#include "client/startup.h"
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
    guarded([this] {
        TakeWebCommandFile();
        if (FWebCmdTick) FWebCmdTick();
    });
    guarded([this] { CheckUserMsg(); });
    guarded([this] { CheckEditFileCmd(); });
    guarded([this] { CheckBatchTaskCmd(); });
}

void TQUEXClientFrm::CheckUserMsg() {
    if (!FIsLogin) return;
    const auto config = GlobalConfig();
    const TMsgPollServer server{config->ServerHost(), config->ServerPort(), config->IsSSL(),
                                config->EncryptUserID(), FHS_Language};
    m_msgPoll->Tick(server, Now(), config->LastTimeOfViewMsg());
}

void TQUEXClientFrm::ShowUserMsg() {
    if (!FHooks.CreateMessageNotice) return;
    // One notice at a time: a poll that finds messages again replaces the one still open.
    if (m_notice) delete m_notice.data();
    HandleMessage(WM_TRAY, 0, kTrayLeftButtonDown);
    if (QLayout* layout = centralWidget()->layout()) layout->activate();
    QWidget* notice = FHooks.CreateMessageNotice(plWork);
    if (!notice) return;
    notice->setParent(plWork);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setWindowFlags(Qt::Widget);
    notice->setGeometry(QRect(
        QPoint(plWork->width() - kNoticeRight, plWork->height() - kNoticeBottom), kNoticeSize));
    notice->show();
    notice->raise();
    m_notice = notice;
    emit messageNoticeShown();
}

void TQUEXClientFrm::CheckEditFileCmd() {
    if (!FIsLogin || !FHooks.EditFile) return;
    const std::optional<QString> cmd = TakeEditFileCmd(*QGuiApplication::clipboard());
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

void TQUEXClientFrm::CheckBatchTaskCmd() {
    if (!FIsLogin || !FHooks.BatchAppendTaskCmd) return;
    const std::optional<QString> cmd = TakeBatchTaskCmd(*QGuiApplication::clipboard());
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
    const int request = ++m_configRequest;
    const TServerConfigRequest what{GlobalConfig()->ServerUrl(), FServerSSL, userId, FHS_Language};
    RunInBackground<TServerConfig>(
        this, [what] { return FetchServerConfig(what); },
        [this, request](const TServerConfig& config) {
            // The answer to a login that a later one has replaced is dropped.
            if (request != m_configRequest) return;
            StoreServerConfig(config);
            emit serverConfigLoaded();
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

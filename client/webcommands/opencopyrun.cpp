// Code 14: a copy of a server file, fetched on a worker thread (the user interface stays live
// however slow the server is), then checked and opened with the desktop's viewer on the
// user-interface thread.

#include <QFile>
#include <atomic>
#include <mutex>

#include "client/webcommands/args.h"
#include "client/webcommands/opencopy.h"
#include "client/webcommands/webmodule.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/tagtext.h"
#include "documents/preview/previewdownload.h"

using namespace Qt::StringLiterals;

namespace ov {

// What a running download shares with the dispatcher, which lets go of it when it is freed.
struct OpenCopyJob {
    std::mutex mutex;
    TWebModule* module = nullptr;  // null once the dispatcher let go
    std::atomic<bool> cancel{false};
};

namespace {

struct OpenCopyRequest {
    QString host;
    quint16 port = 0;
    bool isSsl = false;
    QString token;
    THS_Language language = HSL_NONE;
    int readTimeoutMs = 0;
    QString copy;
    QString extra;
    std::int64_t key = 0;
};

// The download itself, on a worker thread: the result code and the client's error text.
std::pair<std::uint8_t, QString> Download(const OpenCopyRequest& r, std::atomic<bool>& cancel) {
    TRobotTcpClient client(r.isSsl);
    client.SetHost(r.host);
    client.SetPort(r.port);
    client.SetUserEncryptId(r.token);
    client.SetLanguage(r.language);
    client.SetReadTimeout(r.readTimeoutMs);
    client.PIsBreak = &cancel;
    const std::uint8_t code = client.DownloadFile(r.copy, r.extra, r.key);
    return {code, client.GetLastError()};
}

}  // namespace

QString TWebModule::DoOpenCopy(const QString& cmd) {
    const QString refused = StartOpenCopy(cmd);
    if (!refused.isEmpty()) emit openCopyDone(refused);
    return refused;
}

QString TWebModule::StartOpenCopy(const QString& cmd) {
    const std::int64_t key = tagInt64(cmd, u"filekey"_s);
    if (key == 0) return u"File parameter error!"_s;
    const std::int32_t version = tagIntDef(cmd, u"filever"_s, -1);
    const QString folder = GetLocalTempPath();
    DeleteOldCopies(folder);
    const QString copy = OpenCopyPath(folder, ReadTagValue(cmd, u"filename"_s));
    if (copy.isEmpty()) return LangText(u"打开文件失败"_s, u"Failed to open the file"_s);

    const auto config = GlobalConfig();
    OpenCopyRequest request{config->ServerHost(),
                            static_cast<quint16>(config->ServerPort()),
                            config->IsSSL(),
                            config->EncryptUserID(),
                            FHS_Language,
                            DownloadTimeoutMs,
                            copy,
                            u"[IsPreView]True[/IsPreView][IsReplace]True[/IsReplace]"_s,
                            key};
    if (version >= 0)
        request.extra += u"[Versionid]"_s + QString::number(version) + u"[/Versionid]"_s;
    auto job = std::make_shared<OpenCopyJob>();
    job->module = this;
    m_openCopy = job;
    platform::StartPooled(PreviewThreadPool(), [job, request] {
        const auto [code, error] = Download(request, job->cancel);
        std::lock_guard lock(job->mutex);
        if (!job->module) {
            QFile::remove(request.copy);
            return;
        }
        // Posted while the dispatcher cannot go away (its destructor waits for the lock); one
        // freed before the call runs takes the call with it.
        TWebModule* module = job->module;
        QMetaObject::invokeMethod(
            module,
            [module, job, copy = request.copy, ok = code == RC_CanDownload, text = error] {
                if (module->m_openCopy != job) return;
                module->m_openCopy.reset();
                module->FinishOpenCopy(copy, ok, text);
            },
            Qt::QueuedConnection);
    });
    return {};
}

void TWebModule::FinishOpenCopy(const QString& copy, bool downloaded, const QString& error) {
    const QString failed = LangText(u"打开文件失败"_s, u"Failed to open the file"_s);
    QString text = downloaded ? QString() : error;
    if (downloaded) {
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        if (!IsSafeCopyContent(copy)) {
            QFile::remove(copy);
            text = failed;
        } else if (!OpenDocument(copy)) {
            text = failed;
        }
    }
    ShowWebHint(text);
    emit openCopyDone(text);
}

void TWebModule::StopOpenCopy() {
    if (!m_openCopy) return;
    std::lock_guard lock(m_openCopy->mutex);
    m_openCopy->module = nullptr;
    m_openCopy->cancel = true;
    m_openCopy.reset();
}

}  // namespace ov

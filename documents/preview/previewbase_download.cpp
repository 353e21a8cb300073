// The preview download of the base form: the temporary copy, the download on a worker thread
// and the hand-over to the previewer's viewer.

#include "core/filetype.h"
#include "core/resultcode.h"
#include "documents/preview/previewbase.h"
#include "documents/preview/previewdownload.h"
#include "platform/tempfiles.h"

#include <QEventLoop>
#include <QThread>
#include <mutex>

using namespace Qt::StringLiterals;

namespace ov {

// What a running download shares with its form. The form lets go of it when it is freed or
// starts another preview; whoever comes second drops the copy: the worker when the form let go
// first, the form when the worker had already posted the hand-over (which then never runs).
struct PreviewDownloadState {
    std::mutex mutex;
    TPreviewBaseFrm* form = nullptr;  // null once the form let go
    bool copyPosted = false;          // a whole copy is on its way to the form
    QString path;                     // the copy
    std::atomic<bool> cancel{false};
};

namespace {

QString WaitText(THS_Language language) {
    if (language == HSL_CN) return u"正在获取数据，请稍候..."_s;
    if (language == HSL_ENG) return u"Downloading Data, please wait..."_s;
    return {};
}

// The text when no temporary copy can be made (the result code's text, else a plain one).
QString CreateFailedText(THS_Language language, const QString& folder) {
    QString text = u"Cannot create a file in %1"_s.arg(folder);
    GetResultCodeText(RC_CreateFileErr, language, text);
    return text;
}

}  // namespace

void TPreviewBaseFrm::PreviewEx(int FileType, int FileVer, std::int64_t FileKey) {
    FFileId = FileKey;
    ShowHintText(WaitText(FHS_Language), TPreViewHint::PictureWait);
    StopDownload();
    const auto copy = platform::createPreviewFile(FRoot, CodeToExt(FileType));
    if (!copy) {
        FLocalFileName.clear();
        FinishPreview(FileType, false, CreateFailedText(FHS_Language, FRoot));
        return;
    }
    FLocalFileName = *copy;
    StartPreview(FileType, FileVer, FileKey);
}

void TPreviewBaseFrm::StartPreview(int FileType, int FileVer, std::int64_t FileKey) {
    PreviewDownloadRequest request{
        FServerHost, quint16(FServerPort), FIsSSL, FUserIdStr, FHS_Language, FHashPs, FileVer,
        FileKey,     FLocalFileName};
    auto state = std::make_shared<PreviewDownloadState>();
    state->form = this;
    state->path = FLocalFileName;
    FDownload = state;
    platform::StartPooled(PreviewThreadPool(), [state, request, FileType] {
        const PreviewDownloadResult result = RunPreviewDownload(request, &state->cancel);
        std::lock_guard lock(state->mutex);
        if (!state->form) {
            RemovePreviewCopy(request.destPath);
            return;
        }
        // Posted while the form cannot go away (its destructor waits for the lock); a form
        // freed before the call runs takes the call with it (and StopDownload the copy).
        TPreviewBaseFrm* form = state->form;
        state->copyPosted = result.ok;
        QMetaObject::invokeMethod(
            form,
            [form, state, FileType, result] {
                if (form->FDownload != state) return;  // a later preview replaced this one
                form->FDownload.reset();
                form->FinishPreview(FileType, result.ok, result.errorStr);
            },
            Qt::QueuedConnection);
    });
}

void TPreviewBaseFrm::FinishPreview(int FileType, bool ok, const QString& errorStr) {
    if (ok)
        LoadLocalFile(FileType, FLocalFileName);
    else
        ShowHintText(errorStr, TPreViewHint::PictureError);
    emit previewFinished(ok);
}

void TPreviewBaseFrm::StopDownload() {
    if (!FDownload) return;
    std::lock_guard lock(FDownload->mutex);
    FDownload->form = nullptr;
    FDownload->cancel = true;
    // The hand-over that was posted is dropped (form gone or replaced): its copy goes with it.
    if (FDownload->copyPosted) RemovePreviewCopy(FDownload->path);
    FDownload.reset();
}

bool TPreviewBaseFrm::IsDownloading() const {
    return FDownload != nullptr;
}

bool TPreviewBaseFrm::DownloadPreviewFile(int FileVer, const QString& DestPath, QString& ErrorStr,
                                          std::int64_t FileKey) {
    const PreviewDownloadRequest request{FServerHost,  quint16(FServerPort),
                                         FIsSSL,       FUserIdStr,
                                         FHS_Language, FHashPs,
                                         FileVer,      FileKey,
                                         DestPath};
    // The worker holds nothing of the form. It posts the end to the loop while holding the
    // lock, and the loop runs until the end has been posted, so the loop outlives the post even
    // when something else ends the loop early (the application quitting).
    struct Shared {
        std::mutex mutex;
        bool done = false;
        PreviewDownloadResult result;
    };
    auto shared = std::make_shared<Shared>();
    QEventLoop loop;
    platform::StartPooled(PreviewThreadPool(), [request, shared, &loop] {
        PreviewDownloadResult result = RunPreviewDownload(request);
        std::lock_guard lock(shared->mutex);
        shared->result = std::move(result);
        shared->done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    for (;;) {
        loop.exec();
        {
            std::lock_guard lock(shared->mutex);
            if (shared->done) break;
        }
        // Ended early: a quitting application may end every new loop at once.
        QThread::msleep(10);
    }
    const PreviewDownloadResult* result = &shared->result;
    ErrorStr = result->errorStr;
    return result->ok;
}

bool TPreviewBaseFrm::DownloadFile2(std::int64_t FileKey, int FileVer, const QString& FileExt,
                                    QString& DestPath, QString& ErrorStr) {
    const auto copy = platform::createUniqueFile(
        FRoot, platform::previewTimeStamp(QDateTime::currentDateTime()), FileExt);
    if (!copy) {
        DestPath.clear();
        ErrorStr = CreateFailedText(FHS_Language, FRoot);
        return false;
    }
    DestPath = *copy;
    return DownloadPreviewFile(FileVer, DestPath, ErrorStr, FileKey);
}

}  // namespace ov

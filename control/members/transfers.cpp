// The page's transfers: a list of server files downloaded into one folder, the files a file
// manager copied uploaded into a server folder, and the picture on the clipboard uploaded as
// a JPEG file of an entry.

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPointer>

#include "control/members/embed.h"
#include "control/members/logwindow.h"
#include "control/members/members.h"
#include "control/members/messages.h"
#include "control/members/waitworker.h"
#include "control/object/quexformx.h"
#include "control/ovcom/errorinfo.h"
#include "core/cipher.h"
#include "core/robottcpclient.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "documents/batchdownload/batchdownloadfrm.h"
#include "documents/uploads/uploaddragfilesfrm.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/hintfrmxe.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {
namespace {

constexpr int kTransferReadTimeoutMs = 30000;

// A number the page must give right: anything else fails the member with the conversion's
// message.
template <typename T>
T strictNumber(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        throw ovcom::OleError(ovcom::E_INVALIDARG,
                              u"'%1' is not a valid integer value"_s.arg(text));
    return static_cast<T>(value);
}

// The clipboard's picture as a JPEG file in memory; empty when there is no picture.
QByteArray clipboardJpeg() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasImage()) return {};
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "JPG")) return {};
    return jpeg;
}

struct StreamUpload {
    std::int32_t number = 0;
    QString error;
};

StreamUpload uploadJpeg(const QByteArray& jpeg, std::int64_t key) {
    TServerAccess access = TServerAccess::FromSettings();
    access.ReadTimeoutMs = kTransferReadTimeoutMs;
    const auto client = access.NewClient();
    QBuffer stream;
    stream.setData(jpeg);
    stream.open(QIODevice::ReadOnly);
    std::uint8_t status = 0;
    const std::int32_t number = client->UploadKmItemFile(u"jpg"_s, stream, key, status);
    return {number, client->GetLastError()};
}

}  // namespace

QString BatchDownload(TQuexFormX& self, const QString& KeysStr, const QString& NamesStr) {
    const QStringList keys = SplitToStrArray(KeysStr, u'|');
    QStringList names = SplitToStrArray(NamesStr, u'|');
    for (QString& name : names) name = ReplaceAllText(name, u"&nbsp;"_s, u" "_s);
    THintFrmXe* log = EnsureLogWindow(self);
    // The dialog frees itself when it closes: its result is taken before that happens.
    QPointer<TBatchDownloadFrm> dialog = new TBatchDownloadFrm(&self);
    dialog->SetHintForm(log);
    dialog->Init(keys, names);
    QString result;
    QObject::connect(dialog, &TBatchDownloadFrm::finished, dialog,
                     [&result, dialog] { result = dialog->FileKey(); });
    dialog->exec();
    return dialog ? dialog->FileKey() : result;
}

void UploadFiles(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    auto* form = qobject_cast<TUploadDragFilesFrm*>(self.Forms.get(ChildForm::UploadFiles));
    if (!form) {
        form = new TUploadDragFilesFrm(&self);
        form->hide();
        self.Forms.set(ChildForm::UploadFiles, form);
    }
    form->SetDestOwnerId(strictNumber<std::int32_t>(OwnerId));
    form->SetDestFolderId(strictNumber<std::int64_t>(FolderId));
    FillControl(self, form);
    form->Uplad();
}

QString UploadClipboardImg(TQuexFormX& self, const QString& FileKey) {
    const std::int64_t key = FileKey.trimmed().toLongLong();  // 0 when it is not a number
    if (key == 0) return {};
    const QByteArray jpeg = clipboardJpeg();
    if (jpeg.isEmpty()) {
        ShowControlError(self, ControlMessage(self, kNoClipboardImage));
        return {};
    }
    const StreamUpload upload =
        WaitForWorker<StreamUpload>([jpeg, key] { return uploadJpeg(jpeg, key); });
    if (upload.number <= 0) {
        ShowControlError(self, upload.error);
        return {};
    }
    const QString name = QString::number(upload.number) + u".jpg"_s;
    return name + u'#' + EncryptString(name, 3);
}

}  // namespace ov::control::members

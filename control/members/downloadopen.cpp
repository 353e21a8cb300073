// Download-and-open: a server file fetched into the private temporary folder and opened with
// the desktop's viewer for its type; when the server keeps related files with it (the parts of
// a drawing), the user picks which of them come along. Every name from the page or the server
// is reduced to its file name, so nothing is written outside that folder, and a file whose name
// or contents are a program is never opened.

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <memory>
#include <optional>

#include "control/members/members.h"
#include "control/members/messages.h"
#include "control/members/selalignfiles.h"
#include "control/members/waitworker.h"
#include "control/object/quexformx.h"
#include "core/globalconfig.h"
#include "core/httpclient.h"
#include "core/paths.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/safejoin.h"
#include "core/uri.h"
#include "documents/versions/backgroundcalls.h"
#include "platform/desktopopen.h"
#include "platform/widgets/desktopopen.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {
namespace {

constexpr int kReadTimeoutMs = 30000;
constexpr qint64 kMaxRelatedReply = qint64(1) << 20;

constexpr ControlText kBadFileName{u"文件名称无效，未下载", u"Invalid file name, not downloaded"};

QString downloadOptions(std::int32_t fileVer) {
    QString options = u"[IsPreView]True[/IsPreView][IsReplace]True[/IsReplace]"_s;
    if (fileVer >= 0) options += u"[Versionid]"_s + QString::number(fileVer) + u"[/Versionid]"_s;
    return options;
}

// The server's list of the files kept with the file ("key=name" items joined by "|"); empty
// when there are none or the server cannot say.
QString relatedFiles(const QString& fileKey) {
    TSSLHttp http(GlobalConfig()->IsSSL());
    http.setReadTimeout(kReadTimeoutMs);
    http.setMaxBodySize(kMaxRelatedReply);
    const QString url =
        GlobalConfig()->ServerUrl() + u"/getrelatedfiles?filekey="_s + UriParamsEncode(fileKey);
    try {
        return http.Get(url);
    } catch (const std::exception&) {
        return {};
    }
}

struct Fetch {
    QString target;  // "" when the name was refused
    std::int64_t key = 0;
    bool ok = false;
    QString error;
};

// The files one after the other with one client; a failed main file (the first) stops the rest.
std::vector<Fetch> download(std::vector<Fetch> fetches, const QString& options) {
    TServerAccess access = TServerAccess::FromSettings();
    access.ReadTimeoutMs = kReadTimeoutMs;
    const auto client = access.NewClient();
    for (Fetch& f : fetches) {
        if (f.target.isEmpty()) continue;
        f.ok = client->DownloadFile(f.target, options, f.key) == RC_CanDownload;
        if (!f.ok) f.error = client->GetLastError();
        if (!f.ok && &f == &fetches.front()) break;
    }
    return fetches;
}

std::vector<Fetch> downloadOnWorker(std::vector<Fetch> fetches, std::int32_t fileVer) {
    return WaitForWorker<std::vector<Fetch>>(
        [fetches = std::move(fetches), options = downloadOptions(fileVer)] {
            return download(fetches, options);
        });
}

// Opens the file with the desktop's viewer and waits for word whether that worked.
bool openAndWait(TQuexFormX& self, const QString& path) {
    if (!platform::isNoProgram(path)) return false;
    auto opened = std::make_shared<std::optional<bool>>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    platform::openWithDesktop(path, &self, [opened, waiting](bool ok) {
        *opened = ok;
        if (waiting) waiting->quit();
    });
    if (!opened->has_value()) loop.exec();
    return opened->value_or(false);
}

void deleteDxCopies(const QString& folder) {
    const QDir dir(folder);
    for (const QString& copy : dir.entryList({u"*_dx.*"_s}, QDir::Files | QDir::Hidden))
        QFile::remove(dir.filePath(copy));
}

void downloadAlone(TQuexFormX& self, const QString& fileName, std::int64_t key,
                   std::int32_t fileVer) {
    const QString folder = GetLocalTempPath();
    deleteDxCopies(folder);
    const QString name = SafeBaseName(fileName);
    if (name.isEmpty()) return ShowControlError(self, ControlMessage(self, kBadFileName));
    const QString ext = ExtractFileExtNoDot(name);
    const QString local =
        folder + ExtractFileTitle(name) + u"_dx"_s + (ext.isEmpty() ? QString() : u'.' + ext);
    const Fetch main = downloadOnWorker({Fetch{local, key}}, fileVer).front();
    if (!main.ok) return ShowControlError(self, main.error);
    if (!openAndWait(self, local)) ShowControlError(self, ControlMessage(self, kOpenFileFailed));
}

// The related files the user ticks, or nullopt when the user cancelled.
std::optional<QStringList> chooseRelated(TQuexFormX& self, const QString& fileName,
                                         const QString& fileKey, QStringList items) {
    TFrmAlignFiles dialog;
    dialog.FFileName = fileName;
    dialog.FFileKey = fileKey;
    dialog.SetLanguage(self.FLanguage);
    dialog.InitItems(&items);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    dialog.GetCheckedItems(items);
    return items;
}

void downloadRelatedAndOpen(TQuexFormX& self, const QString& fileName, std::int64_t key,
                            QStringList items, std::int32_t fileVer) {
    const auto chosen = chooseRelated(self, fileName, QString::number(key), std::move(items));
    if (!chosen) return;
    const QString folder = GetLocalTempPath();
    const auto target = [&folder](const QString& name) {
        const QString base = SafeBaseName(name);
        return base.isEmpty() ? QString() : folder + base;
    };
    std::vector<Fetch> fetches{Fetch{target(fileName), key}};
    if (fetches.front().target.isEmpty())
        return ShowControlError(self, ControlMessage(self, kBadFileName));
    for (const QString& item : *chosen)
        fetches.push_back(Fetch{target(ItemValue(item)), ItemName(item).trimmed().toLongLong()});
    fetches = downloadOnWorker(std::move(fetches), fileVer);
    for (const Fetch& f : fetches) {
        if (f.target.isEmpty()) ShowControlError(self, ControlMessage(self, kBadFileName));
        else if (!f.ok) ShowControlError(self, f.error);
        if (!f.ok && &f == &fetches.front()) return;
    }
    const QString main = fetches.front().target;
    if (QFile::exists(main) && !openAndWait(self, main))
        ShowControlError(self, ControlMessage(self, kOpenFileFailed) +
                                   (self.FLanguage == HSL_CN ? u"："_s : u":"_s) + u'\n' + main);
}

}  // namespace

void DownloadAndOpen(TQuexFormX& self, const QString& FileName, const QString& FileKey,
                     std::int32_t FileVer) {
    const std::int64_t key = FileKey.trimmed().toLongLong();  // 0 when it is not a number
    const QString reply = relatedFiles(FileKey);
    if (reply.isEmpty()) return downloadAlone(self, FileName, key, FileVer);
    // Only "|" separates the items: names may hold blanks.
    QStringList items = reply.split(u'|', Qt::SkipEmptyParts);
    if (!items.isEmpty()) downloadRelatedAndOpen(self, FileName, key, std::move(items), FileVer);
}

}  // namespace ov::control::members

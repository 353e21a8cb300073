// Web commands that hand a folder or a list of files to a window: 16 (working folder), 17
// (newest versions), 21 and 22 (scan and upload into a folder), 25 (download of several files).

#include "client/webcommands/args.h"
#include "client/webcommands/webmodule.h"
#include "core/paths.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

QString TWebModule::DoSetWorkPath(const QString& cmd) {
    if (!FForms.SetWorkPath) return NotAvailable();
    FForms.SetWorkPath(tagInt64(cmd, u"folderId"_s));
    return {};
}

QString TWebModule::DoGetNewVer(const QString& cmd) {
    if (!FForms.GetNewVer) return NotAvailable();
    FForms.GetNewVer(tagInt(cmd, u"ownerId"_s), tagInt64(cmd, u"folderId"_s));
    return {};
}

QString TWebModule::DoFolderForm(const QString& cmd,
                                 const std::function<void(std::int32_t, std::int64_t)>& form) {
    if (!form) return NotAvailable();
    form(tagInt(cmd, u"ownerId"_s), tagInt64(cmd, u"folderId"_s));
    return {};
}

QString TWebModule::DoBatchDownload(const QString& cmd) {
    if (!FForms.BatchDownload) return NotAvailable();
    QStringList names = SplitToStrArray(ReadTagValue(cmd, u"names"_s), u'|');
    for (QString& name : names)
        name = WebFileName(name.replace(u"&nbsp;"_s, u" "_s, Qt::CaseInsensitive));
    FForms.BatchDownload(SplitToStrArray(ReadTagValue(cmd, u"keys"_s), u'|'), names);
    return {};
}

}  // namespace ov

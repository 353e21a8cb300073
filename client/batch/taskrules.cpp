// The task dialog's pure rules.

#include "client/batch/taskrules.h"

#include "core/filetype.h"
#include "core/paths.h"

#include <QFileInfo>
#include <QLocale>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString WithSeparator(const QString& text) {
    return text.endsWith(u'/') || text.endsWith(u'\\') ? text : text + u'/';
}

QString FolderOfFile(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return cut < 0 ? QString() : path.left(cut + 1);
}

// A download's local folder: asked for and created when missing.
TRefusal CheckDownloadFolder(const TTaskInputs& in, const TBatchTransport& task,
                             const std::function<bool(const QString&)>& askCreate) {
    const QString folder = task.FF == FF_File ? FolderOfFile(in.Dest) : in.Dest.trimmed();
    if (QFileInfo(folder).isDir()) return TRefusal::None;
    if (!askCreate(folder)) return TRefusal::Declined;
    return ForceFolder(folder, true) ? TRefusal::None : TRefusal::NewFolderErr;
}

TRefusal CheckUploadSource(const TTaskInputs& in, const TBatchTransport& task) {
    if (task.DestFolderId < 0) return TRefusal::SelSvrFolder;
    const QFileInfo source(in.Source);
    if (task.FF == FF_File && !source.isFile()) return TRefusal::NoFile;
    if (task.FF == FF_Folder && !source.isDir()) return TRefusal::NoFolder;
    return TRefusal::None;
}

bool ReadKb(const QString& text, std::int64_t& bytes) {
    bool ok = false;
    bytes = text.trimmed().toLongLong(&ok) * 1024;
    return ok;
}

TRefusal CollectFilters(const TTaskInputs& in, TBatchTransport& task, TDateTime now) {
    task.IsIncludeSubFolder = in.IncludeSubFolder;
    task.FileStartDate = in.DateRange ? in.MinDate : now;
    task.FileEndDate = in.DateRange ? in.MaxDate : now - 1;
    if (in.DateRange && !(task.FileEndDate > task.FileStartDate)) return TRefusal::ErrTime;
    task.MinSize = task.MaxSize = 0;
    if (in.SizeRange && (!ReadKb(in.MinSizeKb, task.MinSize) || !ReadKb(in.MaxSizeKb, task.MaxSize) ||
                         task.MinSize >= task.MaxSize))
        return TRefusal::ErrSize;
    const QString types = in.TypeText.trimmed();
    task.Types = types == u"*.*"_s || types == u"*"_s || types.isEmpty() ? TFileTypeArray()
                                                                         : ParseTypeText(types);
    return TRefusal::None;
}

void CollectFolderNames(const TTaskInputs& in, TBatchTransport& task) {
    const bool download = task.TranStyle == TS_Download;
    task.DestFolderName = download ? WithSeparator(task.DestFolderName) : task.DestFolderName;
    if (!download) task.SourceFolderName = WithSeparator(task.SourceFolderName);
    if (download) {
        QString source = task.SourceFolderName;
        if (!source.endsWith(u'/') && !source.endsWith(u'\\')) source += u'\\';
        qsizetype cut = -1;
        for (qsizetype i = source.size() - 2; i >= 0 && cut < 0; --i)
            if (source[i] == u'/' || source[i] == u'\\') cut = i;
        source = source.mid(cut + 1);
        source[source.size() - 1] = u'\\';
        task.SourceFolderName = source;
        task.KeepClientNewFile = in.KeepLocalNewFile;
    }
    const QString remark = in.Remark.trimmed();
    task.ExtInfo = !download && in.VersionRemark && !remark.isEmpty() && remark != in.RemarkHint
                       ? u"[Opr]Remark[/Opr][Remark]"_s + remark + u"[/Remark]"_s
                       : QString();
}

}  // namespace

QString TypeText(const TFileTypeArray& types) {
    if (types.isEmpty()) return u"*.*"_s;
    QStringList items;
    for (const std::int32_t code : types)
        items.append(u"*."_s + CodeToExt(code));
    return items.join(u',');
}

TFileTypeArray ParseTypeText(const QString& text) {
    TFileTypeArray codes;
    for (const QString& item : text.split(u',')) {
        const qsizetype dot = item.indexOf(u'.');
        const std::int32_t code =
            FileExtToCode(dot >= 0 ? item.mid(dot + 1, 4) : item);
        if (code == 42) return {};
        codes.append(code);
    }
    return codes;
}

double ParsePeriodText(const QString& text) {
    bool ok = false;
    double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok) value = QLocale().toDouble(text.trimmed(), &ok);  // the system's unless set otherwise
    return ok ? value : 1;
}

TRefusal CollectTaskInputs(const TTaskInputs& in, TBatchTransport& task, TDateTime now,
                           const std::function<bool(const QString&)>& askCreate) {
    if (task.TranStyle == TS_Download) {
        if (const TRefusal r = CheckDownloadFolder(in, task, askCreate); r != TRefusal::None)
            return r;
        task.DestFolderName = in.Dest;
    } else if (task.TranStyle == TS_Upload) {
        if (in.FilePrt) task.FilePrtParams = in.PrtParams;
        if (const TRefusal r = CheckUploadSource(in, task); r != TRefusal::None) return r;
        task.SourceFolderName = in.Source;
        task.SC = std::uint8_t(in.SC);
    }
    if (task.FF == FF_Folder) {
        if (const TRefusal r = CollectFilters(in, task, now); r != TRefusal::None) return r;
        CollectFolderNames(in, task);
    }
    task.TaskCyc = in.Scheduled ? ParsePeriodText(in.Period) : -1;
    if (in.Scheduled) task.TaskStartTime = in.BeginTime;
    task.IncludeRootPath = in.IncludeRoot;
    return TRefusal::None;
}

TRefusal CheckTaskTarget(const TBatchTransport& task) {
    if (task.TranStyle == TS_Upload) {
        if (task.IncludeRootPath || task.DestFolderId != 0)
            return task.DestOwnerId == 0 ? TRefusal::SelOwner : TRefusal::None;
        return TRefusal::SelDFolder;
    }
    if (task.TranStyle == TS_Download && task.SourceOwnerId == 0) return TRefusal::SelSOwner;
    return TRefusal::None;
}

}  // namespace ov

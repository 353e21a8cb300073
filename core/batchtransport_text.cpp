// The texts that describe a task and its state to the user.

#include <QStringList>
#include <cmath>

#include "core/batchtransport.h"
#include "core/datetime.h"
#include "core/filetype.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct StateText {
    int state;
    const char16_t* english;
    const char16_t* chinese;
};

constexpr StateText kStateTexts[] = {
    {0, u"Unknown", u"未知"},
    {1, u"Task initialization", u"任务初始化"},
    {2, u"Processing data", u"正在处理数据"},
    {3, u"Task paused", u"任务暂停"},
    {4, u"Task completed", u"任务结束"},
    {5, u"Task waiting", u"任务等待中"},
    {6, u"Task error,unable to continue", u"任务错误,无法继续"},
    {9, u"Deleted task", u"删除的任务"},
};

enum Label {
    SingleUpload,
    SingleDownload,
    SourceFile,
    Target,
    FolderUpload,
    FolderDownload,
    SourceFolder,
    FileTime,
    NoFileTime,
    FileSize,
    NoFileSize,
    FileType,
    NoRunTime,
    RunTime,
    Every,
    Minutes,
    FinishTime,
    LabelCount
};

constexpr const char16_t* kEnglish[LabelCount] = {u"------------- File upload -------------",
                                                  u"------------- File download -------------",
                                                  u"Source file:",
                                                  u"Target file:",
                                                  u"-------- Bulk upload of folder files--------",
                                                  u"-------- Bulk download of folder files--------",
                                                  u"Source folder:",
                                                  u"File time:",
                                                  u"File time:No",
                                                  u"File size:",
                                                  u"File size:No",
                                                  u"File type:",
                                                  u"Run time:No",
                                                  u"Run time:",
                                                  u", every ",
                                                  u" minute(m) to operate task ",
                                                  u"Finish time:"};

constexpr const char16_t* kChinese[LabelCount] = {u"-------------文件上传-------------",
                                                  u"-------------文件下载-------------",
                                                  u"源 文 件: ",
                                                  u"目标文件: ",
                                                  u"--------文件夹文件批量上传--------",
                                                  u"--------文件夹文件批量下载--------",
                                                  u"源文件夹: ",
                                                  u"文件时间: ",
                                                  u"文件时间: 无设置",
                                                  u"文件大小: ",
                                                  u"文件大小: 无设置",
                                                  u"文件类型: ",
                                                  u"运行时间: 无设置",
                                                  u"运行时间: ",
                                                  u"，每",
                                                  u"分钟处理一次任务 ",
                                                  u"完成时间："};

class Labels {
public:
    explicit Labels(THS_Language language)
        : m_table(language == HSL_CN    ? kChinese
                  : language == HSL_ENG ? kEnglish
                                        : nullptr) {}
    QString operator[](Label label) const {
        return m_table ? QString::fromUtf16(m_table[label]) : QString();
    }

private:
    const char16_t* const* m_table;
};

void addSourceAndTarget(const TBatchTransport& task, const Labels& label, QStringList& lines) {
    const bool upload = task.TranStyle == TS_Upload;
    if (task.FF == FF_File) {
        lines << label[upload ? SingleUpload : SingleDownload] << QString()
              << label[SourceFile] + task.SourceFolderName;
    } else {
        lines << label[upload ? FolderUpload : FolderDownload] << QString()
              << label[SourceFolder] + task.SourceFolderName;
    }
    lines << label[Target] + task.DestFolderName;
}

void addFilters(const TBatchTransport& task, const Labels& label, QStringList& lines) {
    if (task.FileEndDate > task.FileStartDate) {
        lines << label[FileTime] + DateTimeToText(task.FileStartDate) + u" - "_s +
                     DateTimeToText(task.FileEndDate);
    } else {
        lines << label[NoFileTime];
    }
    if (task.MinSize < task.MaxSize) {
        lines << label[FileSize] + QString::number(task.MinSize / 1024) + u"K - "_s +
                     QString::number(task.MaxSize / 1024) + u"K"_s;
    } else {
        lines << label[NoFileSize];
    }
    QStringList types;
    for (const std::int32_t code : task.Types)
        types << u"*."_s + CodeToExt(code);
    lines << label[FileType] + types.join(u", "_s);
}

void addSchedule(const TBatchTransport& task, const Labels& label, QStringList& lines) {
    if (!(task.TaskCyc > 0)) {
        lines << label[NoRunTime];
        return;
    }
    // Minutes rounded to the nearest whole number, halves to even.
    const QString minutes = QString::number(std::nearbyint(task.TaskCyc * 60), 'f', 0);
    lines << QString()
          << label[RunTime] + TimeOfDayToText(task.TaskStartTime) + label[Every] + minutes +
                 label[Minutes]
          << label[FinishTime];
}

}  // namespace

void GetTaskStateText(std::uint8_t st, THS_Language language, QString& text) {
    for (const StateText& entry : kStateTexts) {
        if (entry.state == st % 128)
            text = QString::fromUtf16(language == HSL_CN ? entry.chinese : entry.english);
    }
}

void GetTaskDescription(const TBatchTransport& task, THS_Language language, QString& text) {
    const Labels label(language);
    QStringList lines;
    addSourceAndTarget(task, label, lines);
    addFilters(task, label, lines);
    addSchedule(task, label, lines);
    text.clear();
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
}

}  // namespace ov

// The batch window's texts.

#include "client/batch/windowtexts.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

TBatchWindowTexts Chinese() {
    TBatchWindowTexts t{u"自动重新链接服务器...."_s, u"共%1,完成%2"_s, u"已传输"_s, u"每秒 "_s,
                        u"先选择一个任务！"_s, u"提示"_s, u" 点击传输日志查看详细错误信息"_s,
                        u"上传"_s, u"下载"_s, u"文件夹文件批量上传"_s, u"文件夹文件批量下载"_s,
                        u"错误的任务数据！"_s,
                        u"不能直接上传文件到组，选择组下面的目标文件夹再上传！"_s,
                        u"完成全部传输任务！"_s, u"系统服务器端禁止批量下载文件！"_s};
    t.TreeNodes = {u"批量上传任务"_s, u"上传任务"_s, u"完成上传"_s, u"垃圾箱"_s,
                   u"批量下载任务"_s, u"下载任务"_s, u"完成下载"_s, u"垃圾箱"_s};
    t.Columns = {u"状态"_s,     u"源目录/文件"_s, u"目标目录/文件"_s, u"文件数量"_s,
                 u"文件空间"_s, u"开始时间"_s,    u"速度"_s,          u"结束时间"_s};
    t.Details = u"详细信息"_s;
    t.FileName = u"文件名称"_s;
    t.State = u"上传状态："_s;
    t.NumInfo = u"完成数量/文件总数: "_s;
    t.SizeInfo = u"完成大小/文件大小: "_s;
    t.Conditions = u" 传输条件 "_s;
    t.Log = u" 传输日志 "_s;
    t.Errors = u" 错误信息 "_s;
    t.Start = u"开始"_s;
    t.Pause = u"暂停"_s;
    t.Delete = u"删除"_s;
    t.StartAll = u"开始全部"_s;
    t.StopAll = u"停止全部"_s;
    t.DeleteAll = u"删除全部"_s;
    t.StartContinue = u"开始/续传"_s;
    t.Restart = u"重新开始"_s;
    t.ModifySettings = u"修改设置"_s;
    return t;
}

TBatchWindowTexts English() {
    TBatchWindowTexts t{u"Automatically re-link to the server ...."_s,
                        u" total %1, Completed %2"_s,
                        u" Has been transferred "_s,
                        u"Per second "_s,
                        u"First select a task!"_s,
                        u"Hint"_s,
                        u" Click transmission log to view the detailed error information"_s,
                        u"Upload"_s,
                        u"Download"_s,
                        u"Bulk upload"_s,
                        u"Bulk download"_s,
                        u"Incorrect task data!"_s,
                        u"Select the target folder, and then upload! "_s,
                        u"All transfer tasks completed!"_s,
                        u"System prohibits bulk download!"_s};
    // The download list says "Downloading list", not the upload list's words.
    t.TreeNodes = {u"Bulk upload task"_s,   u"Uploading list"_s,   u"Upload completed"_s,
                   u"Dustbin "_s,           u"Bulk download task"_s, u"Downloading list"_s,
                   u"Download completed"_s, u"Dustbin "_s};
    t.Columns = {u"Status"_s,     u" Source folder/file"_s, u"Target folder/file"_s,
                 u"File number"_s, u"File space"_s,         u" Start time"_s,
                 u" Speed"_s,      u"End Time"_s};
    t.Details = u"Details"_s;
    t.FileName = u"File name"_s;
    t.State = u"Upload state: "_s;
    t.NumInfo = u"Completed number /Total number: "_s;
    t.SizeInfo = u"Completed size / File size : "_s;
    t.Conditions = u"Transfer conditions"_s;
    t.Log = u"Transfer log"_s;
    t.Errors = u" Error Message "_s;
    t.Start = u"Start"_s;
    t.Pause = u"Pause"_s;
    t.Delete = u"Delete"_s;
    t.StartAll = u"Start all"_s;
    t.StopAll = u"Stop all"_s;
    t.DeleteAll = u"Delete all"_s;
    t.StartContinue = u"Start/Continue"_s;
    t.Restart = u"Restart"_s;
    t.ModifySettings = u"Modify settings"_s;
    return t;
}

}  // namespace

TBatchWindowTexts BatchWindowTexts(THS_Language language) {
    return language == HSL_CN ? Chinese() : English();
}

}  // namespace ov

// The batch task dialog's texts.

#include "client/batch/taskaddtexts.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

TTaskAddTexts Chinese() {
    return {u"提示"_s, u"先登录系统"_s, u"源文件："_s, u"目标文件夹："_s, u"文件上传"_s,
            u"文件下载"_s, u"源文件夹："_s, u"文件夹/文件批量上传"_s, u"文件夹/文件批量下载"_s,
            u"不存在的本地保存路径，是否新建路径？"_s, u"新建本地保存路径失败！"_s,
            u"选择服务器端目录/文件！"_s, u"不存在的本地文件，请重新选择！"_s,
            u"不存在的本地目录，请重新选择！"_s, u"错误的文件修改时间！"_s, u"错误的文件大小！"_s,
            u"选择本地上传文件夹"_s, u"选择目标文件夹！"_s, u"选择目标所有者！"_s,
            u"选择源所有者！"_s, u"密级管理未启用"_s, u"保留本地新版本文件"_s, u"共有文件%1个"_s,
            u"这里输入文件版本说明..."_s,
            u"请先点击左侧文件管理图标选择一个文件夹，鼠标右键建立批量上传下载任务！"_s,
            u"文件传输条件设置"_s, u" 文件批量传输条件设置："_s, u" 时间设置： "_s, u"选择"_s,
            u"文件修改时间："_s, u"文件大小："_s, u"文件类型："_s, u"包含子目录"_s,
            u"加载文件，请等候......"_s, u" 保存设置，开始任务"_s, u" 选择部分文件"_s, u"取消"_s,
            u"每 "_s, u"小时同步一次，"_s, u"在"_s, u"定时时间设置："_s,
            u"开始传输任务，23:59结束。"_s, u"只一次运行"_s, u"定时运行"_s, u"文件属性"_s,
            u"修改属性"_s, u"文件密级： "_s, u"源文件夹创建为(目标文件夹的)子文件夹"_s,
            u"注：超大规模文件上传请到服务器端“工具”->“数据快速上传”，上传文件"_s};
}

TTaskAddTexts English() {
    return {u"Hint"_s, u"login quex system first!"_s, u"Source file:"_s, u"Target folder:"_s,
            u"Upload"_s, u"Download"_s, u"Source folder:"_s, u"Bulk upload"_s, u"Bulk download"_s,
            u"Local save path does not exist, whether new path?"_s,
            u"New local save path failed!"_s, u"Select the server-side directory or files!"_s,
            u"The file does not exist, please re-select!"_s,
            u"The directory does not exist, please re-select!"_s,
            u"Wrong file modification time!"_s, u"Wrong file size!"_s,
            u"Select the Upload folder on the local"_s, u"select dest folder!"_s,
            u"select dest owner!"_s, u"select source owner!"_s,
            u"Security classification is not enabled."_s, u"Keep new local file"_s,
            u"Total files %1"_s, u"Enter the file version overview..."_s,
            u"Please click File Document icon on the left area to select a folder, then right "
            u"click to creat a bulk task."_s,
            u" File transfer conditions settings "_s, u" File bulk transfer conditions settings "_s,
            u" Time settings: "_s, u"Select"_s, u"Modify time:"_s, u"File size:"_s,
            u"File type:"_s, u"include subdirectories"_s,
            u"Loading files in progress, please wait..."_s, u"Start the task"_s,
            u"Select some files "_s, u"Cancel"_s, u"every "_s, u" hour(s) to synchronize,"_s,
            u" at "_s, u"Scheduled time settings: "_s, u" Start transfer tasks, 23:59 over."_s,
            u"Just a single run"_s, u"Scheduled run"_s, u"File attributes"_s,
            u"Modify attributes"_s, u"Security grade:"_s,
            u"Source folder as a sub-folder of target folder"_s,
            u"Note: You can go to server-side [Tools]->[Data fast import] to upload "
            u"ultra-large-scale files."_s};
}

}  // namespace

TTaskAddTexts TaskAddTexts(THS_Language language) {
    return language == HSL_CN ? Chinese() : English();
}

}  // namespace ov

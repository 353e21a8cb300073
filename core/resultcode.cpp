#include "core/resultcode.h"

#include <QStringView>
#include <algorithm>
#include <iterator>

namespace ov {
namespace {

struct ResultText {
    quint8 code;
    QStringView chinese;
    QStringView english;
};

// Sorted by code. The English text of RC_ServerError ends with a blank on purpose.
constexpr ResultText kTexts[] = {
    {RC_Unknown, u"未知错误", u"Unknown error"},
    {RC_TimeOut, u"链接超时", u"Connection timed out"},
    {RC_CanUpload, u"可以上传", u"Uploading is enabled"},
    {RC_Duplicate, u"文件重复", u"Duplicate files are found."},
    {RC_UserDisabled, u"用户被禁用", u"The user account is disabled."},
    {RC_NoSpace, u"用户空间不足", u"Out of space"},
    {RC_BadUser, u"不是合法的用户编号", u"This is not the legal user code."},
    {RC_NoFile, u"此文件已经不存在", u"The file doesn't exist."},
    {RC_CanDownload, u"可以下载", u"Downloading is enabled."},
    {RC_CreateFileErr, u"创建文件错误", u"Error in creating file"},
    {RC_OpenFileErr, u"打开文件错误", u"Error in opening file"},
    {RC_NoPower, u"没有权限", u"No privilege"},
    {RC_Locked, u"文件已锁定", u"The file has been locked."},
    {RC_OldVersion, u"文件是旧版本", u"This is old vision."},
    {RC_NoChange, u"文件内容没有变化", u"There is no change in content."},
    {RC_NotCheckedOut, u"没有签出该文件", u"The file has not been checked out."},
    {RC_NoFolder, u"文件夹不存在", u"The folder doesn't exist."},
    {RC_HasLockedFile, u"存在锁定文件", u"There is a locked file."},
    {RC_FolderConflict, u"存在相同的文件夹或者找不到父文件夹",
     u"There is duplicate folder or no father folder."},
    {RC_InvalidData, u"无效数据或者服务器保存数据错误", u"Invalid data or create file error"},
    {RC_SelfGrant, u"不能给自己授权", u"You cannot grant permission to yourself."},
    {RC_BadCondition, u"错误的搜索条件", u"Wrong search criteria"},
    {RC_NotAudited, u"文件未通过上传审核，不能使用",
     u"The file is disabled without audit approval for uploading."},
    {RC_Deleted, u"文件已删除", u"The file is deleted."},
    {RC_DownloadAudit, u"该文件需要审核才能下载，已为您提交审核申请",
     u"An application has been submitted because audit approval is required to download the file."},
    {RC_PreviewAudit, u"该文件需要审核才能预览，已为您提交审核申请",
     u"An application has been submitted because audit approval is required to review the file."},
    {RC_EditAudit, u"该文件需要通过修改审核才能修改成功，已经发起审核流程",
     u"An application has been submitted because audit approval is required to edit the file."},
    {RC_InEditAudit, u"该文件正在进行修改审核", u"The file is in the process of Edit audit."},
    {RC_SameNameArchived, u"该文件夹下存在相同名称的文件并且已归档",
     u"Presence of the same name files already exists in the folder and archived"},
    {RC_HasArchivedFile, u"存在归档文件", u"There is a archived file."},
    {RC_Archived, u"文件已归档", u"File has been archived."},
    {RC_TooLarge, u"文件大小超出允许上传的文件大小限制！",
     u"File size exceeds the allowed upload file size limit!"},
    {RC_CheckoutFirst, u"文件先签出后才能上传(签入)新版本！",
     u"File is allowed to be uploaded (or checked in) only after it's been checked out.!"},
    {RC_NoFolderPower, u"没有创建文件夹权限", u"No privilege of create folder"},
    {RC_NoClassification, u"没有相应的密级", u"No relevent classificaion"},
    {RC_NoFatherFolder, u"父文件夹为空", u"Father folder is null"},
    {RC_ServerOlder, u"服务器文件比本地文件旧", u"Server files for the old version"},
    {RC_SaveFailed, u"保存文件失败", u"Save file error"},
    {RC_Recovered, u"此文件和回收站内文件重复，文件已经从回收站恢复",
     u"This file is duplicated with the files in the recycle, recovered from the recycle."},
    {RC_ForcedAudit, u"强制文件审核限制", u"Document forcibly custom audit limited"},
    {RC_DownloadLimit, u"您下载文件的数量超出系统规定的数量，请联系管理员！",
     u"The maximum number of downloaded files is exceeded. Please contact Administrator!"},
    {RC_ServerError, u"服务器数端据错误或者网络错误", u"Server data error or network error "},
};

const ResultText* findText(quint8 code) {
    const auto it =
        std::lower_bound(std::begin(kTexts), std::end(kTexts), code,
                         [](const ResultText& entry, quint8 c) { return entry.code < c; });
    return it != std::end(kTexts) && it->code == code ? it : nullptr;
}

}  // namespace

void GetResultCodeText(quint8 code, THS_Language lang, QString& text) {
    if (lang != HSL_CN && lang != HSL_ENG) return;
    const ResultText* entry = findText(static_cast<quint8>(code & 0x7F));
    if (!entry) return;
    text = (lang == HSL_CN ? entry->chinese : entry->english).toString();
}

}  // namespace ov

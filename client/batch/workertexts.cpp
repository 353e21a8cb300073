// The batch worker's texts.

#include "client/batch/workertexts.h"

using namespace Qt::StringLiterals;

namespace ov {

TWorkerTexts WorkerTexts(THS_Language language) {
    if (language == HSL_CN)
        return {u"开始搜索目录下文件..."_s,
                u"完成目录文件搜索！"_s,
                u"从服务器得到文件列表，请等待..."_s,
                u" 任务初始化开始..."_s,
                u"任务初始化完成..."_s,
                u" 上传失败，文件大小超出服务器设置的允许上传文件的大小"_s,
                u" 上传失败，文件类型不在服务器端允许范围内！"_s,
                u" 开始传输文件\"%1\"，大小：%2"_s,
                u"完成全部传输任务！"_s,
                u"传输失败的情况："_s,
                u"共搜索文件%1个"_s,
                u"得到文件%1个，请等待..."_s,
                u"需要处理的文件%1个"_s};
    if (language == HSL_ENG)
        return {u"Start search files in the directory..."_s,
                u"Complete files search in the directory!"_s,
                u"Getting list of files from the server, please wait ..."_s,
                u"Task initialization..."_s,
                u"Task initialization over..."_s,
                u"Upload failed, because the file size exceeds the upload file size limit"_s,
                u"Upload failed because the file type is not allowed to upload to the server!"_s,
                u" Start Transmission '%1', size: %2"_s,
                u"All transfer tasks completed!"_s,
                u"Transmission failures:"_s,
                u"Total files %1"_s,
                u"Get total number of files: %1, please wait..."_s,
                u"%1 files need to be processed"_s};
    return {};
}

}  // namespace ov

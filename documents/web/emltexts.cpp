#include "documents/web/emltexts.h"

using namespace Qt::StringLiterals;

namespace ov {

EmlTexts emlTexts(THS_Language language) {
    if (language == HSL_CN)
        return {u"没有文件下载权限!"_s, u"时  间："_s,   u"收件人："_s,    u"发件人："_s,
                u"抄  送："_s,          u"附件："_s,     u"打开文件失败"_s};
    return {u"There is no file download permissions!"_s,
            u"Date:"_s,
            u"To:"_s,
            u"From:"_s,
            u"CC:"_s,
            u"Attachment:"_s,
            u"Failed to open the file"_s};
}

}  // namespace ov

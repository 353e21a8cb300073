#include "documents/office/officepreviewtexts.h"

using namespace Qt::StringLiterals;

namespace ov {

OfficePreviewTexts OfficePreviewTexts::forLanguage(THS_Language language) {
    OfficePreviewTexts t;
    t.alertCaption = u"Alert"_s;
    if (language == HSL_CN) {
        t.downloading = u"正在获取数据，请稍候..."_s;
        t.loading = u"加载预览对象，请稍等..."_s;
        t.oldWps = u"系统不支持WPS2013以下版本，请升级WPS"_s;
        t.virtualPrinter = u"本机存在虚拟打印机，系统禁止打印此文档！"_s;
        t.virtualPrinterCaption = u"提示"_s;
        return t;
    }
    t.downloading = u"Downloading Data, please wait..."_s;
    t.loading = u"Downloading object, please wait ..."_s;
    t.oldWps = u"Please upgrade the WPS to 2013 or later"_s;
    t.virtualPrinter =
        u"Print function is forbidden because there is virtual printer in the local computer."_s;
    t.virtualPrinterCaption = u"Hint"_s;
    return t;
}

}  // namespace ov

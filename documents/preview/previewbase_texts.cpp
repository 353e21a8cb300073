// The texts of the base form: Chinese for a Chinese interface, English otherwise.

#include "documents/preview/previewbase.h"

using namespace Qt::StringLiterals;

namespace ov {

void TPreviewBaseFrm::LoadLangStrings() {
    if (FHS_Language == HSL_CN) {
        WLS_NeedWPS = u"需要本地安装WPS！"_s;
        WLS_Need2007 = u"需要本地安装Office 2007以上版本！"_s;
        WLS_NeedXP =
            u"预览失败，选择以下解决方法的其中一个：\n"
            u"1：本地已安装Office XP以上版本(注意：简版不可以)。\n"
            u"2：打开WPS配置工具，点击“高级”，勾选“WPS Office 兼容第三方系统和软件”。\n"
            u"3：服务器端启用HTML5预览模式。"_s;
        WLS_CancelPrint = u"文档预览状态锁定打印，关闭此预览窗口后再打印！"_s;
        WLS_Hint = u"提示"_s;
        WLS_Not_Complete = u"office 安装不完整，不能预览和修改文件;"_s;
        WLS_RunAsAdmin =
            u"文件预览控件注册失败，以管理员身份运行IE(只需要运行一次)或者到首页重新下载"
            u"安装文档预览控件！"_s;
        WLS_ClearClipboard =
            u"当前文档预览窗口关闭了系统剪切板。 关闭文档预览窗口， 即可使用剪切板。"_s;
        WLS_FoxitErr1 = u"Excel中的福昕PDF阅读器加载项发生错误导致加载文件失败"_s;
        // %1 takes the add-in's path.
        WLS_FoxitErr2 =
            u"，在windows CMD命令（管理员身份）行状态运行以下命令卸载此加载项\n"
            u"regsvr32 \"%1\" -u"_s;
        return;
    }
    WLS_NeedWPS = u"Need to install the WPS!"_s;
    WLS_Need2007 = u"Need to install Office 2007 or later!"_s;
    WLS_NeedXP = u"Need to install Office XP or later!"_s;
    WLS_CancelPrint = u"forbid  print!"_s;
    WLS_Hint = u"hint"_s;
    WLS_Not_Complete = u"office installation is incomplete, you can not preview the file!"_s;
    WLS_RunAsAdmin = u"No permission to access files, run Internet Explorer as administrator."_s;
    WLS_ClearClipboard =
        u"Document preview window is closed the system clipboard.\n"
        u"Close the document preview window, you can use the clipboard."_s;
    WLS_FoxitErr1 = u"Failed to load Excel files, uninstall the Foxit PDF reader in Excel Plugin"_s;
    WLS_FoxitErr2 =
        u"Run the following command to remove this ActiveX control in the windows "
        u"command line (CMD).\n"
        u"regsvr32 \"%1\" -u "_s;
}

}  // namespace ov

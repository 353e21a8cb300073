#pragma once
// The control's messages to the user: error message boxes captioned WLS_Hint and owned by the
// control, in the control's language.

#include <QString>

namespace ov::control {

class TQuexFormX;

struct ControlText {
    const char16_t* chinese;
    const char16_t* english;
};

inline constexpr ControlText kRunClientFailed{
    u"系统运行程序%s失败，检查用户权限或者防火墙设置！",
    u"Failed to run %s, please check user permissions or firewall settings！"};
inline constexpr ControlText kNoClientFromServer{
    u"无法从服务器得到批量传输运行程序！",
    u"Bulk transfer tool can not be obtained from the server!"};
inline constexpr ControlText kInstallClientFailed{
    u"系统下载安装客户端%s发生错误，请以管理员身份运行IE或者重新下载安装控件！",
    u"An error ocurred while install %s. Please run or reinstall the ActiveX as administrator."};
inline constexpr ControlText kRegisterClientFailed{
    u"注册客户端错误，请以管理员身份运行IE或者重新下载安装控件！",
    u"An error ocurred while registering the client. Please run or reinstall the ActiveX as "
    u"administrator."};
inline constexpr ControlText kUpdaterDownloadFailed{
    u"下载控件失败，错误提示如下：%s！", u"Failed to download the ActiveX, Error is %s!"};
inline constexpr ControlText kNotAProgram{u"服务器发送的不是完整的程序",
                                          u"the server sent no complete program"};
inline constexpr ControlText kNoClipboardImage{u"剪切板中没有图像", u"No image in clipboard"};
inline constexpr ControlText kOpenFileFailed{u"打开文件失败", u"Failed to open the file"};

// The text in the control's language with "%s" replaced by `argument`.
QString ControlMessage(const TQuexFormX& self, const ControlText& text,
                       const QString& argument = {});

// Shows the text in a modal message box with the error icon.
void ShowControlError(TQuexFormX& self, const QString& text);

// Shows the text in a plain modal message box (no icon).
void ShowControlMessage(TQuexFormX& self, const QString& text);

}  // namespace ov::control

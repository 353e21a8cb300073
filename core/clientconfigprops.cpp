// The plain settings of TClientConfigX: each reads and writes one key of the in-memory text.
#include <QStringList>
#include <algorithm>

#include "core/clientconfig.h"
#include "core/clientconfigrules.h"
#include "core/datetime.h"
#include "core/split.h"

namespace ov {
namespace {

constexpr int kDefaultWebSocketPort = 13100;
// No screen reaches this far; keeping the stored numbers below it keeps right and bottom of the
// preview rectangle inside int whatever a damaged or foreign file holds.
constexpr int kMaxScreenCoordinate = 32767;

int screenNumber(int value, int floor, int below) {
    return std::min(value < floor ? below : value, kMaxScreenCoordinate);
}

QString key(const char16_t* name) {
    return QString::fromUtf16(name);
}

}  // namespace

QString TClientConfigX::ServerHost() const {
    return ReadString(key(u"ServerHost"));
}
void TClientConfigX::SetServerHost(const QString& v) {
    WriteString(key(u"ServerHost"), v);
}

int TClientConfigX::ServerPort() const {
    return configrules::serverPort(ReadString(key(u"ServerPort")));
}
void TClientConfigX::SetServerPort(int v) {
    WriteInteger(key(u"ServerPort"), v);
}

QString TClientConfigX::BindingIp() const {
    return ReadString(key(u"BindingIp"));
}
void TClientConfigX::SetBindingIp(const QString& v) {
    WriteString(key(u"BindingIp"), v);
}
int TClientConfigX::BindingPort() const {
    return ReadInteger(key(u"BindingPort"));
}
void TClientConfigX::SetBindingPort(int v) {
    WriteInteger(key(u"BindingPort"), v);
}

int TClientConfigX::UserId() const {
    return ReadInteger(key(u"OwnerId2"));
}
void TClientConfigX::SetUserId(int v) {
    WriteInteger(key(u"OwnerId2"), v);
}
QString TClientConfigX::UserName() const {
    return ReadString(key(u"OwnerName"));
}
void TClientConfigX::SetUserName(const QString& v) {
    WriteString(key(u"OwnerName"), v);
}
QString TClientConfigX::LoginName() const {
    return ReadString(key(u"LoginName"));
}
void TClientConfigX::SetLoginName(const QString& v) {
    WriteString(key(u"LoginName"), v);
}

bool TClientConfigX::IsInit() const {
    return ReadBool(key(u"ParameterInit"), false);
}
void TClientConfigX::SetIsInit(bool v) {
    WriteBool(key(u"ParameterInit"), v);
}
bool TClientConfigX::SaveLoginInfo() const {
    return ReadBool(key(u"SaveLoginInfo"), false);
}
void TClientConfigX::SetSaveLoginInfo(bool v) {
    WriteBool(key(u"SaveLoginInfo"), v);
}
bool TClientConfigX::AutoLogin() const {
    return ReadBool(key(u"AutoLogin"), false);
}
void TClientConfigX::SetAutoLogin(bool v) {
    WriteBool(key(u"AutoLogin"), v);
}
bool TClientConfigX::SavePassword() const {
    return ReadBool(key(u"SavePassword"), false);
}
void TClientConfigX::SetSavePassword(bool v) {
    WriteBool(key(u"SavePassword"), v);
}

int TClientConfigX::LastGroupId() const {
    return ReadInteger(key(u"LastGroupId"));
}
void TClientConfigX::SetLastGroupId(int v) {
    WriteInteger(key(u"LastGroupId"), v);
}
QString TClientConfigX::MyPicFileName() const {
    return ReadString(key(u"MyPic"));
}
void TClientConfigX::SetMyPicFileName(const QString& v) {
    WriteString(key(u"MyPic"), v);
}

QString TClientConfigX::FontName() const {
    return ReadString(key(u"FontName"));
}
void TClientConfigX::SetFontName(const QString& v) {
    WriteString(key(u"FontName"), v);
}
int TClientConfigX::FontSize() const {
    return ReadInteger(key(u"FontSize"));
}
void TClientConfigX::SetFontSize(int v) {
    WriteInteger(key(u"FontSize"), v);
}
int TClientConfigX::FontColor() const {
    return ReadInteger(key(u"FontColor"));
}
void TClientConfigX::SetFontColor(int v) {
    WriteInteger(key(u"FontColor"), v);
}
QString TClientConfigX::FontStyle() const {
    return ReadString(key(u"FontStyle"));
}
void TClientConfigX::SetFontStyle(const QString& v) {
    WriteString(key(u"FontStyle"), v);
}

TStartStyle TClientConfigX::StartStyle() const {
    const int value = ReadInteger(key(u"StartStyle"));
    // An ordinal this build does not know reads as the default.
    return value >= SS_NONE && value <= MODEL_EXE ? static_cast<TStartStyle>(value) : SS_NONE;
}
void TClientConfigX::SetStartStyle(TStartStyle v) {
    WriteInteger(key(u"StartStyle"), v);
}

bool TClientConfigX::ShowBackupTask() const {
    return ReadBool(key(u"ShowBackupTask"), true);
}
void TClientConfigX::SetShowBackupTask(bool v) {
    WriteBool(key(u"ShowBackupTask"), v);
}
bool TClientConfigX::AutovuexOpenOfficeFile() const {
    return ReadBool(key(u"AutovuexOpenOfficeFile"), false);
}
void TClientConfigX::SetAutovuexOpenOfficeFile(bool v) {
    WriteBool(key(u"AutovuexOpenOfficeFile"), v);
}
bool TClientConfigX::IsSSL() const {
    return ReadBool(key(u"IsSSL"), false);
}
void TClientConfigX::SetIsSSL(bool v) {
    WriteBool(key(u"IsSSL"), v);
}
bool TClientConfigX::IsCreateShortcut() const {
    return ReadBool(key(u"IsCreateShortcut"), false);
}
void TClientConfigX::SetIsCreateShortcut(bool v) {
    WriteBool(key(u"IsCreateShortcut"), v);
}
bool TClientConfigX::HorizontalOfImagePrint() const {
    return ReadBool(key(u"HorizontalOfImagePrint"), false);
}
void TClientConfigX::SetHorizontalOfImagePrint(bool v) {
    WriteBool(key(u"HorizontalOfImagePrint"), v);
}

QString TClientConfigX::FileExtInfo() const {
    return ReadString(key(u"FileExtInfo"));
}
void TClientConfigX::SetFileExtInfo(const QString& v) {
    WriteString(key(u"FileExtInfo"), v);
}

int TClientConfigX::WebSocketPort() const {
    bool ok = false;
    const int port = ReadString(key(u"WebSocketPort")).toInt(&ok, 10);
    return ok ? port : kDefaultWebSocketPort;
}
void TClientConfigX::SetWebSocketPort(int v) {
    WriteInteger(key(u"WebSocketPort"), v);
}

QRect TClientConfigX::PreviewRect() const {
    const QString value = ReadString(key(u"PreviewRect"));
    // Missing parts read -1; an empty value is missing as a whole.
    const QString text =
        value.isEmpty() ? QStringLiteral("-1,-1,-1,-1") : value + QStringLiteral(",-1,-1,-1,-1");
    const QVector<std::int32_t> n = SplitToIntArray(text, u',');
    return QRect(screenNumber(n[0], 0, 100), screenNumber(n[1], 0, 100),
                 screenNumber(n[2], 800, 800), screenNumber(n[3], 680, 680));
}
void TClientConfigX::SetPreviewRect(const QRect& r) {
    const QStringList parts{QString::number(r.left()), QString::number(r.top()),
                            QString::number(r.width()), QString::number(r.height())};
    WriteString(key(u"PreviewRect"), parts.join(u','));
}

TDateTime TClientConfigX::LastTimeOfViewMsg() const {
    return TextToDateTimeDef(ReadString(key(u"LastTimeOfViewMsg")), Now() - 365);
}
void TClientConfigX::SetLastTimeOfViewMsg(TDateTime v) {
    WriteString(key(u"LastTimeOfViewMsg"), DateTimeToText(v));
}

}  // namespace ov

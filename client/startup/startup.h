#pragma once
// The start of OvClient: the one command-line argument (usually an "OvClient://" URL opened by
// the server's web pages) is prepared and its switches applied, then the process registers the
// URL scheme, hands over to the running instance, or becomes the running instance (RunClient,
// in client/app/).

#include <QString>
#include <QStringList>

#include "client/webcommands/webcmd.h"
#include "platform/windowbus.h"

namespace ov {

class TClientConfigX;

// Longest argument read; a longer one is ignored as a whole (it cannot be a command of ours).
inline constexpr qsizetype kMaxArgumentLength = 256 * 1024;

// Longest host a page may hand over with "-s".
inline constexpr qsizetype kMaxHandedHostLength = 255;

// Window classes that count as a running instance (compared without regard to case).
inline const QString kMainWindowClass = QStringLiteral("TQUEXClientFrm");
inline const QString kBatchWindowClass = QStringLiteral("TBatchFileDealMainFrm2");
// Messages posted to the running instance.
inline constexpr quint32 WM_TRAY = 0x46F;
inline constexpr qint64 kTrayLeftButtonDown = 0x201;
inline constexpr quint32 UM_BRING_TO_FRONT = 0x500;

// The argument as tokens: a final "/" becomes a blank, every "OvClient://" (any case) is
// removed, every "%20" (any case) becomes a blank, then the text is split at single blanks
// (empty tokens between two blanks kept, no token after a final blank).
QStringList PrepareArgument(const QString& argument);

// Whether every "%" is followed by two hexadecimal digits (one among the last two characters
// is accepted) and no character is above code 128. "" gives true.
bool IsUrlEncoded(const QString& text);

// URI decoding into UTF-8 text: "%XX" gives that byte, "%uXXXX" the UTF-8 bytes of that
// UTF-16 unit, every other character its own UTF-8 bytes; "+" stays "+". An escape that is not
// valid stays as it is written.
QString UrlDecodeUtf8(const QString& text);

enum class SwitchResult { Continue, Register };

// Reads the tokens from first to last ("-r", "-l", "-s", "-u", "-p"; exact case). A switch that
// takes a value acts only when a next token exists; the value token is itself read as a switch
// next. Every switch that changes a setting saves the settings. "-r" stops the reading. A "-s"
// host or a "-u" identity that could not be kept safely (too long, control characters, the
// settings' tag brackets) is refused: the host leaves the server as it was, the identity counts
// as one that cannot be deciphered.
SwitchResult ApplySwitches(const QStringList& tokens, TClientConfigX& config, TWebCmd& cmd);

// The "-p" value: tags "code", "cmd" (with "##" read as a blank) and "bs". Codes outside 1 to
// 511 leave `cmd` as it is; otherwise the code is kept in one byte and the text decoded when
// "bs" is "chrome" or the text looks URL-encoded.
void ApplyWebCommand(const QString& value, TWebCmd& cmd);

// Registers the URL scheme "OvClient" for the program (registry keys and desktop handler).
void RegisterUrlProtocol(const QString& programPath);

// Asks for per-monitor scaling of the windows and says whether the process has it. Qt scales
// every window for the screen it is on, so the answer is always true; Apply changes nothing.
bool SetPerMonitorDpiAware(bool apply);

// How long a start-up waits for the running instance to take an earlier command file.
inline constexpr int kWebCmdWaitMs = 5000;
// How long a start-up waits for the window of an instance that is still starting.
inline constexpr int kStartingInstanceWaitMs = 10000;

// The window of a running instance; the last class found wins. When another process holds the
// instance lock (lockHeldElsewhere) but shows no window yet, it is still starting: its window is
// waited for, at most kStartingInstanceWaitMs.
platform::WindowHandle FindRunningInstance(bool lockHeldElsewhere);

// Brings the running instance's window to the front; it takes the command file at once.
void HandOver(const platform::WindowHandle& window);

}  // namespace ov

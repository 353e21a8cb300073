#pragma once
// The two clipboard commands that the control and the web-command dispatcher leave for the main
// window: an online edit (a text whose tag "Key" is a file key) and a batch task (a text whose
// tags "TranStyle" and "FF" are both set). The main window's work tick takes them off the
// clipboard, leaving two blanks there so that each command runs once.

#include <QString>
#include <optional>

class QClipboard;

namespace ov {

// Longest clipboard text read as a command; a longer text is not one of ours and is left alone.
inline constexpr qsizetype kMaxClipboardCmdLength = 1024 * 1024;

// What a command taken off the clipboard leaves there.
inline const QString kClipboardTaken = QStringLiteral("  ");

// Whether the text is an online-edit command: its "Key" (trimmed) is a 64-bit number other
// than 0.
bool IsEditFileCmd(const QString& text);
// Whether the text is a batch-task command: its "TranStyle" and "FF" are numbers other than 0.
bool IsBatchTaskCmd(const QString& text);

// The clipboard as the polls of one work tick see it: its text is read once, on first use (a
// text too long for a command reads as ""), and what one poll leaves there is what the next
// one sees.
class TClipboardView {
public:
    explicit TClipboardView(QClipboard& clipboard) : m_clipboard(clipboard) {}
    const QString& Text();
    void SetText(const QString& text);

private:
    QClipboard& m_clipboard;
    std::optional<QString> m_text;
};

// Takes an online-edit or batch-task command off the clipboard: the whole text, with the
// clipboard set to two blanks; nullopt (and the clipboard untouched) for any other text.
std::optional<QString> TakeEditFileCmd(TClipboardView& clipboard);
std::optional<QString> TakeBatchTaskCmd(TClipboardView& clipboard);

// Sets the clipboard to two blanks when it holds "[TranStyle]" or "[Key]" (exact case), so
// that a command left from before a login is not run after it. True when it did.
bool ClearClipboardCmd(QClipboard& clipboard);

}  // namespace ov

#include "client/clipboardpoll.h"

#include <QClipboard>

#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

qint64 tagNumber(const QString& text, const QString& tag) {
    bool ok = false;
    const qint64 value = ReadTagValue(text, tag).toLongLong(&ok);
    return ok ? value : 0;
}

// The clipboard's text when it is short enough to be a command.
std::optional<QString> commandText(QClipboard& clipboard) {
    QString text = clipboard.text();
    if (text.size() > kMaxClipboardCmdLength) return std::nullopt;
    return text;
}

std::optional<QString> take(QClipboard& clipboard, bool (*isCommand)(const QString&)) {
    std::optional<QString> text = commandText(clipboard);
    if (!text || !isCommand(*text)) return std::nullopt;
    clipboard.setText(kClipboardTaken);
    return text;
}

}  // namespace

bool IsEditFileCmd(const QString& text) {
    return tagNumber(text, u"Key"_s) != 0;
}

bool IsBatchTaskCmd(const QString& text) {
    return tagNumber(text, u"TranStyle"_s) != 0 && tagNumber(text, u"FF"_s) != 0;
}

std::optional<QString> TakeEditFileCmd(QClipboard& clipboard) {
    return take(clipboard, IsEditFileCmd);
}

std::optional<QString> TakeBatchTaskCmd(QClipboard& clipboard) {
    return take(clipboard, IsBatchTaskCmd);
}

bool ClearClipboardCmd(QClipboard& clipboard) {
    const std::optional<QString> text = commandText(clipboard);
    if (!text || !(text->contains(u"[TranStyle]"_s) || text->contains(u"[Key]"_s))) return false;
    clipboard.setText(kClipboardTaken);
    return true;
}

}  // namespace ov

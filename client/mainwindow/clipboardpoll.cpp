#include "client/mainwindow/clipboardpoll.h"

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

std::optional<QString> take(TClipboardView& clipboard, bool (*isCommand)(const QString&)) {
    const QString text = clipboard.Text();
    if (!isCommand(text)) return std::nullopt;
    clipboard.SetText(kClipboardTaken);
    return text;
}

}  // namespace

const QString& TClipboardView::Text() {
    if (!m_text) {
        m_text = m_clipboard.text();
        if (m_text->size() > kMaxClipboardCmdLength) m_text->clear();
    }
    return *m_text;
}

void TClipboardView::SetText(const QString& text) {
    m_clipboard.setText(text);
    m_text = text;
}

bool IsEditFileCmd(const QString& text) {
    return tagNumber(text, u"Key"_s) != 0;
}

bool IsBatchTaskCmd(const QString& text) {
    return tagNumber(text, u"TranStyle"_s) != 0 && tagNumber(text, u"FF"_s) != 0;
}

std::optional<QString> TakeEditFileCmd(TClipboardView& clipboard) {
    return take(clipboard, IsEditFileCmd);
}

std::optional<QString> TakeBatchTaskCmd(TClipboardView& clipboard) {
    return take(clipboard, IsBatchTaskCmd);
}

bool ClearClipboardCmd(QClipboard& clipboard) {
    TClipboardView view(clipboard);
    const QString& text = view.Text();
    if (!text.contains(u"[TranStyle]"_s) && !text.contains(u"[Key]"_s)) return false;
    view.SetText(kClipboardTaken);
    return true;
}

}  // namespace ov

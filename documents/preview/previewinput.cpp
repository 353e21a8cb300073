// The input restrictions of a read-only document: the input guards and the clipboard guard.

#include "documents/preview/previewinput.h"

#include "documents/preview/previewclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ov {

PreviewInputRestrictions::~PreviewInputRestrictions() {
    removeAll();
}

void PreviewInputRestrictions::guardWidget(QWidget* widget) {
    platform::InputGuard::instance().guard(widget);
    m_guarded.append(widget);
}

void PreviewInputRestrictions::guardForm(QWidget* form) {
    if (m_formGuard) return;
    platform::InputGuard::instance().guard(form);
    m_formGuard = form;
}

void PreviewInputRestrictions::removeAll() {
    if (m_guarded.isEmpty() && !m_formGuard) return;
    auto& guard = platform::InputGuard::instance();
    for (const QPointer<QWidget>& widget : std::as_const(m_guarded))
        if (widget) guard.unguard(widget);
    m_guarded.clear();
    if (m_formGuard) guard.unguard(m_formGuard);
    m_formGuard = nullptr;
}

void PreviewInputRestrictions::clearClipboard(const QString& replacement) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    const QMimeData* data = clipboard->mimeData();
    if (data && !data->formats().isEmpty()) clipboard->setText(replacement);
}

std::uint8_t PreviewInputRestrictions::clipboardSource() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data ? ClipboardSourceOf(ClipboardFormatsOf(*data)) : 0;
}

}  // namespace ov

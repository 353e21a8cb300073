// The restrictions of a read-only document: the input guards, the clipboard guard, and the
// search for a viewer's inner widget.

#include "documents/preview/previewbase.h"
#include "documents/preview/previewclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace ov {

void TPreviewBaseFrm::AddKeyboardHook(QWidget* target) {
    QWidget* guarded = target ? target : this;
    platform::InputGuard::instance().guard(guarded);
    FHookList.append(guarded);
}

void TPreviewBaseFrm::AddMouseHook(QWidget* target) {
    if (target) {
        platform::InputGuard::instance().guard(target);
        FHookList.append(target);
        return;
    }
    // The form-wide guard is added once.
    if (FMouseHook) return;
    platform::InputGuard::instance().guard(this);
    FMouseHook = this;
}

void TPreviewBaseFrm::RemoveHooks() {
    if (FHookList.isEmpty() && !FMouseHook) return;
    auto& guard = platform::InputGuard::instance();
    for (const QPointer<QWidget>& widget : std::as_const(FHookList))
        if (widget) guard.unguard(widget);
    FHookList.clear();
    if (FMouseHook) guard.unguard(FMouseHook);
    FMouseHook = nullptr;
}

void TPreviewBaseFrm::ClearClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    const QMimeData* data = clipboard->mimeData();
    if (data && !data->formats().isEmpty()) clipboard->setText(WLS_ClearClipboard);
}

std::uint8_t TPreviewBaseFrm::GetClipboardSource() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data ? ClipboardSourceOf(ClipboardFormatsOf(*data)) : 0;
}

void TPreviewBaseFrm::ShowErrorMessage(const QString& text) {
    QMessageBox::critical(this, WLS_Hint, text);
}

QWidget* FindChildWindow(QWidget* Parent, const QString& Text) {
    if (!Parent || Text.isEmpty()) return nullptr;
    const auto children = Parent->findChildren<QWidget*>();
    for (QWidget* child : children) {
        // Class name and text are read with 128-character buffers.
        const QString line = QString::number(quintptr(child)) + u"--"_s +
                             QString::fromLatin1(child->metaObject()->className()).left(127) +
                             u"--"_s + child->windowTitle().left(127);
        if (line.indexOf(Text) > 0) return child;
    }
    return nullptr;
}

}  // namespace ov

#pragma once
// The input restrictions of a read-only document, apart from the previewer's form: the guards
// against the keys and right clicks that would copy, save or print it, and the clipboard guard.
// A previewer's base form owns one; the guards it added go when it goes (or on removeAll).
// Use on the user-interface thread only.

#include "platform/widgets/inputguard.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace ov {

// The two process-wide switches that the input restrictions read.
// AllowCtrlC (initially false): Ctrl+C passes in a read-only document. The preview dispatchers
// set it from the document options ("CtrlC=True") before each preview.
inline bool AllowCtrlC() {
    return platform::InputGuard::allowCtrlC();
}
inline void SetAllowCtrlC(bool allow) {
    platform::InputGuard::setAllowCtrlC(allow);
}
// RightClickInControlOnly (initially true): right clicks are discarded only inside guarded
// viewers and the control's windows; false: in every window of the process while a read-only
// document is open. Nothing sets it back to true.
inline bool RightClickInControlOnly() {
    return platform::InputGuard::rightClickInControlOnly();
}
inline void SetRightClickInControlOnly(bool inControlOnly) {
    platform::InputGuard::setRightClickInControlOnly(inControlOnly);
}

class PreviewInputRestrictions {
public:
    PreviewInputRestrictions() = default;
    ~PreviewInputRestrictions();
    PreviewInputRestrictions(const PreviewInputRestrictions&) = delete;
    PreviewInputRestrictions& operator=(const PreviewInputRestrictions&) = delete;

    // Guards a widget (and what it holds) against keys and right clicks until removeAll.
    void guardWidget(QWidget* widget);
    // The one form-wide right-click guard: added once, later calls change nothing.
    void guardForm(QWidget* form);
    // Drops every guard added here.
    void removeAll();

    // When the clipboard holds anything, its content is replaced by `replacement`.
    static void clearClipboard(const QString& replacement);
    // Which office program put the clipboard's content there (ClipboardSourceOf); 0 when the
    // clipboard is empty.
    static std::uint8_t clipboardSource();

private:
    QList<QPointer<QWidget>> m_guarded;  // every guarded widget but the form-wide guard
    QPointer<QWidget> m_formGuard;       // the form-wide guard, null when none
};

}  // namespace ov

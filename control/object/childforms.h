#pragma once
// The child forms of the control that its clean-up closes, in the clean-up's order. Each slot
// holds a form (owned here) and, optionally, the action that closes it before it is freed
// (for example an editor's outside object). The clean-up runs every step even when one fails
// and raises the first failure after the last step, so no form is left behind.

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

namespace ov::control {

enum class ChildForm {
    Editor,       // PEditFrm
    Previewer,    // PPreviewFrm
    UploadFiles,  // PUploadFilesFrm
    AxPreviewer,  // PAxFrm
    Ocr,          // FModiFrm (FreeModiFrm)
    VersionLog,   // PHintFrm
    WaitHint,     // PHintOfPreviewFrm
    PdfSign,      // PNtkoPdfSignFrm
};
inline constexpr std::size_t kChildFormCount = 8;

class ChildForms {
public:
    ChildForms() = default;
    ChildForms(const ChildForms&) = delete;
    ChildForms& operator=(const ChildForms&) = delete;
    ~ChildForms();

    // Takes the form over (a form already in the slot is freed first, without its close
    // action). `close` may raise.
    void set(ChildForm slot, QWidget* form, std::function<void()> close = {});
    QWidget* get(ChildForm slot) const;
    // Gives the form up without freeing it (its Qt parent, if any, owns it from now on).
    QWidget* release(ChildForm slot);

    // Closes and frees every form in order; raises the first failure afterwards.
    void closeAll();

private:
    struct Entry {
        QPointer<QWidget> form;
        std::function<void()> close;
    };
    std::array<Entry, kChildFormCount> m_entries;
};

}  // namespace ov::control

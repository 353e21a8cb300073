#include <QWidget>

#include "client/webcommands/webmodule.h"
#include "documents/preview/previewhint.h"

namespace ov {

void TWebModule::CreateHint() {
    PHintOfPreviewFrm = std::make_unique<TPreViewHint>();
}

void TWebModule::ShowWebHint(const QString& text) {
    if (text.isEmpty()) return;
    TPreViewHint& hint = *PHintOfPreviewFrm;
    hint.show();
    // Brought above every other window for a moment, so that it shows over the previewers that
    // stay on top, then an ordinary window again.
    hint.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    hint.show();
    hint.repaint();
    hint.setWindowFlag(Qt::WindowStaysOnTopHint, false);
    hint.show();
    hint.raise();
    hint.activateWindow();
    hint.ShowHint(text, 1);
}

}  // namespace ov

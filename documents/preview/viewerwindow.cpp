#include "documents/preview/viewerwindow.h"

#include <QWidget>

namespace ov {

void PlaceAsViewerWindow(QWidget* form, QWidget* owner, const QRect& rect, const QString& caption) {
    const bool shown = form->isVisible();
    const bool placed = form->parentWidget() == owner &&
                        (form->windowFlags() & kViewerWindowFlags) == kViewerWindowFlags;
    if (!placed) form->setParent(owner, kViewerWindowFlags);
    if (rect.width() > 0 && rect.height() > 0) form->setGeometry(rect);
    form->setWindowTitle(caption);
    if (shown && !form->isVisible()) form->show();
}

}  // namespace ov

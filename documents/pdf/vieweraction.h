#pragma once
// Ties a tool-bar action to an operation of a form's document viewer. The action does nothing
// while the form shows no document (its viewer() is null).

#include <QAction>
#include <QObject>

#include "platform/widgets/documentviewer.h"

namespace ov {

template <class Form>
void connectViewerAction(QAction* action, Form* form, void (platform::DocumentViewer::*operation)()) {
    QObject::connect(action, &QAction::triggered, form, [form, operation] {
        if (platform::DocumentViewer* viewer = form->viewer()) (viewer->*operation)();
    });
}

}  // namespace ov

#include "control/members/embed.h"

#include <QStackedLayout>

#include "control/object/quexformx.h"

namespace ov::control {

void FillControl(TQuexFormX& self, QWidget* form) {
    auto* stack = qobject_cast<QStackedLayout*>(self.layout());
    if (!stack && !self.layout()) {
        stack = new QStackedLayout(&self);
        stack->setStackingMode(QStackedLayout::StackAll);
        stack->setContentsMargins(0, 0, 0, 0);
    }
    form->setParent(&self, Qt::Widget);
    if (stack) stack->addWidget(form);
    form->show();
    form->raise();
}

}  // namespace ov::control

#pragma once
// What the file manager's forms share in their look: the form font of the language ("宋体"
// 9 pt in Chinese, "Tahoma" 9 pt in English) and designer names kept as object names.

#include <QString>
#include <QWidget>

#include "core/types.h"

namespace ov {

void ApplyFormFont(QWidget* form, THS_Language language);

template <class W>
W* Named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace ov

#pragma once
// The one place that creates the built-in previewer forms. The help viewer, a Windows program,
// has no form here: it gives null, and the caller shows the hint for a file type that cannot be
// previewed.

#include <QWidget>

#include "documents/viewerchoice/lists.h"

namespace ov {

class TPreviewBaseFrm;

// A new form of the kind, as a free window owned by `owner`; null when there is none.
TPreviewBaseFrm* CreateBuiltInForm(BuiltInForm kind, QWidget* owner, Qt::WindowFlags flags);

}  // namespace ov

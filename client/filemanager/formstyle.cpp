#include "client/filemanager/formstyle.h"

#include <QFont>

using namespace Qt::StringLiterals;

namespace ov {

void ApplyFormFont(QWidget* form, THS_Language language) {
    QFont font(language == HSL_CN ? u"宋体"_s : u"Tahoma"_s);
    font.setPointSize(9);
    form->setFont(font);
}

}  // namespace ov

#include "control/members/messages.h"

#include <QMessageBox>

#include "control/object/quexformx.h"

using namespace Qt::StringLiterals;

namespace ov::control {

QString ControlMessage(const TQuexFormX& self, const ControlText& text, const QString& argument) {
    const QString message =
        QString::fromUtf16(self.FLanguage == HSL_CN ? text.chinese : text.english);
    return QString(message).replace(u"%s"_s, argument);
}

void ShowControlError(TQuexFormX& self, const QString& text) {
    QMessageBox box(QMessageBox::Critical, self.WLS_Hint, text, QMessageBox::Ok, &self);
    box.setObjectName(u"ControlMessage"_s);
    box.exec();
}

void ShowControlMessage(TQuexFormX& self, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, self.WLS_Hint, text, QMessageBox::Ok, &self);
    box.setObjectName(u"ControlMessage"_s);
    box.exec();
}

}  // namespace ov::control

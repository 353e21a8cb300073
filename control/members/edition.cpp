// The control's edition and the language of its messages.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov::control::members {

QString GetOcxEdition(TQuexFormX&) {
    return u"6.4.1.0"_s;
}

void OcxSetLanguage(TQuexFormX& self, const QString& LngName) {
    bool isNumber = false;
    const int number = LngName.trimmed().toInt(&isNumber);
    self.FLanguage = isNumber && number == HSL_ENG ? HSL_ENG : HSL_CN;
    GlobalConfig()->SetSysLanguage(self.FLanguage);
    GlobalConfig()->Save();
    RenewGlobalConfig();
}

}  // namespace ov::control::members

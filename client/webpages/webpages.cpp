#include "client/webpages/webpages.h"

#include "client/webpages/filepropertyfrm.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

bool EditFileProperties(QWidget* parent, QString& properties) {
    TTSetFilePropertyFrm page(GlobalConfig()->SysLanguage(), parent);
    page.URL = GlobalConfig()->ServerUrl() + u"/getPrtHtm?opr=page"_s;
    page.PrtParams = properties;
    page.LoadParam = true;
    if (page.exec() != QDialog::Accepted) return false;
    properties = page.PrtParams;
    return true;
}

TWebPages ClientWebPages() {
    TWebPages pages;
    pages.EditFileProperties = EditFileProperties;
    return pages;
}

}  // namespace ov

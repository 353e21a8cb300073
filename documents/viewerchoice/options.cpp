#include "documents/viewerchoice/options.h"

#include "documents/preview/previewbase.h"

using namespace Qt::StringLiterals;

namespace ov {

QString GetHashPs(const QString& options) {
    static const QString key = u"HashPs="_s;
    const qsizetype start = options.indexOf(key);
    if (start < 0) return {};
    const qsizetype from = start + key.size();
    const qsizetype end = options.indexOf(u',', from);
    return end < 0 ? QString() : options.mid(from, end - from);
}

DocumentOptions DocumentOptions::parse(const QString& options) {
    const auto has = [&](const QString& part) { return options.contains(part); };
    DocumentOptions result;
    result.hashPs = GetHashPs(options);
    result.readonly = !has(u"Readonly=False"_s);
    result.canPrint = has(u"CanPrint=True"_s);
    result.checkVirtualPrint = !has(u"CheckVirtualPrint=False"_s);
    result.selectPrinter = !result.readonly || has(u"SelectPrinter=True"_s);
    result.allowCtrlC = has(u"CtrlC=True"_s);
    return result;
}

void ApplyDocumentOptions(TPreviewBaseFrm& form, const DocumentOptions& options) {
    form.SetHashPs(options.hashPs);
    form.SetDocReadonly(options.readonly);
    form.SetCanPrint(options.canPrint);
    form.SetIsCheckVirtualPrint(options.checkVirtualPrint);
    form.SetSelectPrinter(options.selectPrinter);
    SetAllowCtrlC(options.allowCtrlC);
}

}  // namespace ov

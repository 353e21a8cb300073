#pragma once
// The document options of a preview ("ctparams"): a comma-separated text in which a few parts
// are searched, case-sensitively, to restrict what the viewer allows.

#include <QString>

namespace ov {

// The value after "HashPs=" up to the next ","; "" when there is no "HashPs=" or no comma
// after it.
QString GetHashPs(const QString& options);

struct DocumentOptions {
    QString hashPs;
    bool readonly = true;           // unless "Readonly=False"
    bool canPrint = false;          // "CanPrint=True"
    bool checkVirtualPrint = true;  // unless "CheckVirtualPrint=False"
    bool selectPrinter = true;      // always when not read-only, else "SelectPrinter=True"
    bool allowCtrlC = false;        // "CtrlC=True"

    static DocumentOptions parse(const QString& options);
};

class TPreviewBaseFrm;

// Gives a previewer the options: HashPs, read-only, printing, the virtual-printer check, the
// printer choice (after read-only), and Ctrl+C for every preview.
void ApplyDocumentOptions(TPreviewBaseFrm& form, const DocumentOptions& options);

}  // namespace ov

#pragma once
// The extension lists and tables of the viewer choice.

#include <QString>
#include <cstdint>

namespace ov {

// List 1: files whose built-in previewer beats an older AutoVue; 2: files the built-in
// previewers show when no outside viewer fits; 3: the Office files.
bool IsInExtList(int list, std::int32_t code);

// The extensions (as texts) that always go to a built-in previewer.
bool IsFixedBuiltInExt(const QString& ext);

// The office application that opens an Office extension: 1 Word, 2 Excel, 3 PowerPoint, 0 none.
int OfficeApplicationOf(const QString& ext);

// Whether an office version text ("V16", "VNotExists", "VNotOpen", "") counts as new enough
// for the built-in Office previewer. "V" and a number compare by the number (12 or later);
// other texts keep their order by character codes against "V12", so the two "V" + word answers
// pass and the empty text does not.
bool OfficeVersionAtLeast12(const QString& version);

// The built-in previewer forms by extension.
enum class BuiltInForm {
    None,
    Office,    // doc, docx, dotx, xls, xlsx, xlsm, ppt, pptx, pps, wps, et, dps
    Vsd,       // vsd, vsdx
    Mpp,       // mpp, mppx
    Pdf,       // pdf with the preferred reader or none; ai
    FoxitPdf,  // pdf with reader type 2
    SSrs,      // pdf with reader type 3; gd, gw, ifr, sep
    Ceb,       // ceb
    Cdr,       // cdr
    Gwd,       // gwd
    Exb,       // exb, dwg
    Rtf,       // rtf
    Mht,       // mht
    Eml,       // eml
    Caj,       // caj, kdh
    Chm,       // chm: the help viewer
};

BuiltInForm BuiltInFormFor(std::int32_t code, int pdfViewerType);

}  // namespace ov

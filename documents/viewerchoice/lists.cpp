#include "documents/viewerchoice/lists.h"

#include <QRegularExpression>
#include <QStringList>
#include <initializer_list>

#include "core/filetype.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool codeIn(std::int32_t code, std::initializer_list<const char16_t*> exts) {
    for (const char16_t* ext : exts)
        if (FileExtToCode(QString::fromUtf16(ext)) == code) return true;
    return false;
}

bool textIn(const QString& ext, std::initializer_list<const char16_t*> exts) {
    for (const char16_t* item : exts)
        if (ext == QString::fromUtf16(item)) return true;
    return false;
}

}  // namespace

bool IsInExtList(int list, std::int32_t code) {
    switch (list) {
        case 1:
            return codeIn(code, {u"docx", u"dotx", u"xlsx", u"xlsm", u"pptx", u"vsdx", u"mppx"});
        case 2:
            // "vsdx" with "vsd", as "mppx" with "mpp": both Visio formats have their previewer.
            return codeIn(code, {u"doc", u"xls", u"ppt", u"rtf", u"docx", u"dotx", u"xlsx", u"xlsm",
                                 u"pptx", u"pdf", u"ai", u"vsd", u"vsdx", u"pps", u"mpp", u"mppx"});
        case 3:
            return codeIn(code,
                          {u"doc", u"xls", u"ppt", u"docx", u"dotx", u"xlsx", u"xlsm", u"pptx"});
        default:
            return false;
    }
}

bool IsFixedBuiltInExt(const QString& ext) {
    // "ecb" is the list's own spelling; "ceb" (the e-books' extension) is there too, so that
    // e-books reach their previewer.
    return textIn(ext, {u"wps", u"et", u"dps", u"mht", u"eml", u"rtf", u"ecb", u"ceb", u"exb",
                        u"sep", u"gd", u"gw", u"ifr", u"chm", u"kdh", u"caj", u"gwd"});
}

int OfficeApplicationOf(const QString& ext) {
    if (textIn(ext, {u"doc", u"docx", u"dotx"})) return 1;
    if (textIn(ext, {u"xls", u"xlsx", u"xlsm"})) return 2;
    if (textIn(ext, {u"ppt", u"pptx"})) return 3;
    return 0;
}

bool OfficeVersionAtLeast12(const QString& version) {
    static const QRegularExpression numbered(u"^V([0-9]{1,9})$"_s);
    const auto match = numbered.match(version);
    if (match.hasMatch()) return match.captured(1).toInt() >= 12;
    return version.compare(u"V12"_s) >= 0;
}

BuiltInForm BuiltInFormFor(std::int32_t code, int pdfViewerType) {
    using enum BuiltInForm;
    if (codeIn(code, {u"doc", u"docx", u"dotx", u"xls", u"xlsx", u"xlsm", u"ppt", u"pptx", u"pps",
                      u"wps", u"et", u"dps"}))
        return Office;
    if (codeIn(code, {u"vsd", u"vsdx"})) return Vsd;
    if (codeIn(code, {u"mpp", u"mppx"})) return Mpp;
    if (codeIn(code, {u"pdf"}))
        return pdfViewerType == 3 ? SSrs : pdfViewerType == 2 ? FoxitPdf : Pdf;
    if (codeIn(code, {u"ai"})) return Pdf;
    if (codeIn(code, {u"ceb"})) return Ceb;
    if (codeIn(code, {u"cdr"})) return Cdr;
    if (codeIn(code, {u"gwd"})) return Gwd;
    if (codeIn(code, {u"exb", u"dwg"})) return Exb;
    if (codeIn(code, {u"rtf"})) return Rtf;
    if (codeIn(code, {u"mht"})) return Mht;
    if (codeIn(code, {u"eml"})) return Eml;
    if (codeIn(code, {u"caj", u"kdh"})) return Caj;
    if (codeIn(code, {u"gd", u"gw", u"ifr", u"sep"})) return SSrs;
    if (codeIn(code, {u"chm"})) return Chm;
    return None;
}

}  // namespace ov

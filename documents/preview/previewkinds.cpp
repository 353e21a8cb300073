// Which office application a file-type code belongs to.

#include "documents/preview/previewkinds.h"

#include "core/filetype.h"

#include <QStringList>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool CodeIsOneOf(std::int32_t code, const QStringList& extensions) {
    if (code == 0) return false;
    return std::any_of(extensions.begin(), extensions.end(),
                       [code](const QString& ext) { return FileExtToCode(ext) == code; });
}

}  // namespace

bool IsWordFileType(std::int32_t FileType) {
    static const QStringList kinds{u"doc"_s, u"wps"_s, u"docx"_s, u"dotx"_s};
    return CodeIsOneOf(FileType, kinds);
}

bool IsExcelFileType(std::int32_t FileType) {
    static const QStringList kinds{u"et"_s, u"xls"_s, u"xlsm"_s, u"xlsx"_s};
    return CodeIsOneOf(FileType, kinds);
}

bool IsPowerPointFileType(std::int32_t FileType) {
    static const QStringList kinds{u"dps"_s, u"pps"_s, u"ppt"_s, u"pptx"_s};
    return CodeIsOneOf(FileType, kinds);
}

}  // namespace ov

#pragma once
// Which office application a file-type code belongs to (the code packs the extension's letters,
// see core/filetype.h).

#include <cstdint>

namespace ov {

// doc, wps, docx, dotx
bool IsWordFileType(std::int32_t FileType);
// et, xls, xlsm, xlsx
bool IsExcelFileType(std::int32_t FileType);
// dps, pps, ppt, pptx
bool IsPowerPointFileType(std::int32_t FileType);

}  // namespace ov

#pragma once
// Assembly files ("*.asm") are saved by their design program as numbered files beside them
// ("part.asm.3", "part.asm.12"); the check-in sends the highest numbered one.

#include <QString>

namespace ov {

// For a path whose extension is "asm" (any case): the existing file P + "." + N with the
// largest number N (up to eight digits) among the files named P + ".*" (in the spelling it has
// on disk); P itself when there is
// no numbered file. Any other path is returned unchanged.
QString LatestAsmVersion(const QString& path);

}  // namespace ov

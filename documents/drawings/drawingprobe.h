#pragma once
// Whether the reader of a drawing kind is installed, and its version text: the version the
// registry store names for the application ("Visio.Application\CurVer",
// "MSProject.Project\CurVer", "CorelDRAW.Application\CurVer"), else the LibreOffice that reads
// such files (its drawing application with the import filter of the kind: Visio and CorelDRAW;
// no LibreOffice reads Project plans). Empty when there is none.

#include "documents/drawings/drawingtexts.h"
#include "platform/officesuite.h"

#include <QString>
#include <optional>

namespace ov {

QString DrawingReaderVersion(DrawingKind kind,
                             const std::optional<platform::OfficeInstallation>& office);
// With the LibreOffice of this system.
QString DrawingReaderVersion(DrawingKind kind);

}  // namespace ov

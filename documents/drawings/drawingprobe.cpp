#include "documents/drawings/drawingprobe.h"

#include "platform/registry.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString registeredVersion(DrawingKind kind) {
    const QString key = kind == DrawingKind::Visio     ? u"Visio.Application\\CurVer"_s
                        : kind == DrawingKind::Project ? u"MSProject.Project\\CurVer"_s
                                                       : u"CorelDRAW.Application\\CurVer"_s;
    return platform::Registry::readString(platform::Hive::ClassesRoot, key).value_or(QString());
}

QString importFilter(DrawingKind kind) {
    switch (kind) {
        case DrawingKind::Visio:
            return u"draw_Visio_Document"_s;
        case DrawingKind::CorelDraw:
            return u"draw_CorelDraw_Document"_s;
        case DrawingKind::Project:
            break;
    }
    return {};
}

}  // namespace

QString DrawingReaderVersion(DrawingKind kind,
                             const std::optional<platform::OfficeInstallation>& office) {
    const QString registered = registeredVersion(kind);
    if (!registered.isEmpty()) return registered;
    if (!office || !office->draw || office->python.isEmpty() ||
        !platform::hasImportFilter(*office, importFilter(kind)))
        return {};
    return u"LibreOffice "_s + office->version.toString();
}

QString DrawingReaderVersion(DrawingKind kind) {
    return DrawingReaderVersion(kind, platform::findOfficeSuite(platform::OfficeSuite::LibreOffice));
}

}  // namespace ov

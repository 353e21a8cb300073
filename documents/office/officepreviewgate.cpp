#include "documents/office/officepreviewgate.h"

#include "core/filetype.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace ov {

using platform::OfficeInstallation;
using platform::OfficeSuite;

namespace {

bool isOneOf(const QString& ext, std::initializer_list<const char16_t*> list) {
    for (const char16_t* item : list)
        if (ext == QStringView(item)) return true;
    return false;
}

// The formats of WPS's own applications.
bool isWpsFormat(const QString& ext) {
    return isOneOf(ext, {u"wps", u"et", u"dps"});
}

// The Open XML formats that an office before them cannot read.
bool isOoxmlFormat(const QString& ext) {
    return isOneOf(ext, {u"docx", u"dotx", u"xlsx", u"pptx"});
}

// A suite serves a kind when its application for it is installed; any application serves a file
// of no known kind.
bool servesKind(const OfficeInstallation& office, OfficeDocKind kind) {
    if (kind == OfficeDocKind::None) return office.word || office.excel || office.powerPoint;
    return office.serves(platform::OfficeKind(int(kind)));
}

const OfficeInstallation* firstOf(const std::vector<OfficeInstallation>& suites, OfficeSuite suite,
                                  OfficeDocKind kind) {
    for (const OfficeInstallation& office : suites)
        if (office.suite == suite && servesKind(office, kind)) return &office;
    return nullptr;
}

OfficePlatform wpsPlatform(const OfficeInstallation* wps) {
    if (!wps) return OfficePlatform::None;
    const bool current = !wps->version.isNull() && wps->version >= kFirstSupportedWps;
    return current ? OfficePlatform::Wps : OfficePlatform::OldWps;
}

// WPS, when installed for the kind, has taken the documents over (as it registers itself as
// their office); otherwise LibreOffice serves them.
OfficePlatform choosePlatform(const OfficeInstallation* libre, const OfficeInstallation* wps) {
    if (wps) return wpsPlatform(wps);
    return libre ? OfficePlatform::LibreOffice : OfficePlatform::None;
}

OfficeGateOutcome decideOutcome(const QString& ext, const OfficeGate& gate, bool anySuite) {
    if (!anySuite) return OfficeGateOutcome::HintNeedOffice;
    if (isOoxmlFormat(ext) && gate.platform != OfficePlatform::Wps && gate.officePresent &&
        gate.converter->version < kFirstOoxmlLibreOffice)
        return OfficeGateOutcome::BoxNeedOoxml;
    if (isWpsFormat(ext) && gate.platform != OfficePlatform::Wps)
        return OfficeGateOutcome::BoxNeedWps;
    if (!gate.officePresent && gate.platform == OfficePlatform::OldWps)
        return OfficeGateOutcome::HintOldWps;
    if (!gate.converter) return OfficeGateOutcome::BoxViewerMissing;
    if (gate.platform == OfficePlatform::Wps || gate.officePresent) return OfficeGateOutcome::Load;
    return OfficeGateOutcome::HintCannotView;
}

}  // namespace

OfficeDocKind officeDocKind(const QString& ext) {
    const QString e = ext.toLower();
    if (isOneOf(e, {u"doc", u"wps", u"docx", u"dotx"})) return OfficeDocKind::Word;
    if (isOneOf(e, {u"et", u"xls", u"xlsm", u"xlsx"})) return OfficeDocKind::Excel;
    if (isOneOf(e, {u"dps", u"pps", u"ppt", u"pptx"})) return OfficeDocKind::PowerPoint;
    return OfficeDocKind::None;
}

OfficeDocKind officeDocKind(std::int32_t fileTypeCode) {
    return officeDocKind(CodeToExt(fileTypeCode));
}

OfficeGate decideOfficeGate(const QString& ext, const std::vector<OfficeInstallation>& suites) {
    const QString e = ext.toLower();
    OfficeGate gate;
    gate.kind = officeDocKind(e);
    const OfficeInstallation* libre = firstOf(suites, OfficeSuite::LibreOffice, gate.kind);
    const OfficeInstallation* wps = firstOf(suites, OfficeSuite::Wps, gate.kind);
    if (libre && !libre->program.isEmpty()) gate.converter = *libre;
    gate.platform = choosePlatform(gate.converter ? libre : nullptr, wps);
    gate.officePresent = gate.converter && !libre->version.isNull();
    gate.outcome = decideOutcome(e, gate, libre || wps);
    return gate;
}

}  // namespace ov

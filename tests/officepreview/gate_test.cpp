#include "documents/office/officepreviewgate.h"

#include "core/filetype.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ov::OfficeGateOutcome;
using ov::OfficePlatform;
using ov::platform::OfficeInstallation;
using ov::platform::OfficeSuite;

namespace {

// A suite as the probes would find it; version "" means it cannot be told, apps "wep" name the
// installed applications (w: word processor, e: spreadsheet, p: presentations).
OfficeInstallation suite(OfficeSuite kind, const char* version, const char* apps = "wep") {
    OfficeInstallation office;
    office.suite = kind;
    office.program = kind == OfficeSuite::LibreOffice ? u"/lo/soffice"_s : u"/wps/wps"_s;
    office.version = QVersionNumber::fromString(QString::fromLatin1(version));
    const QByteArray a(apps);
    office.word = a.contains('w');
    office.excel = a.contains('e');
    office.powerPoint = a.contains('p');
    return office;
}

OfficeInstallation lo(const char* version, const char* apps = "wep") {
    return suite(OfficeSuite::LibreOffice, version, apps);
}
OfficeInstallation wps(const char* version, const char* apps = "wep") {
    return suite(OfficeSuite::Wps, version, apps);
}

struct GateCase {
    const char* ext;
    std::vector<OfficeInstallation> suites;
    OfficeGateOutcome outcome;
    OfficePlatform platform;
};

TEST(OfficeGateTest, DecidesByKindSuiteAndVersion) {
    using O = OfficeGateOutcome;
    using P = OfficePlatform;
    const std::vector<GateCase> cases = {
        // Nothing installed, or nothing for this kind.
        {"docx", {}, O::HintNeedOffice, P::None},
        {"pptx", {lo("7.4", "we")}, O::HintNeedOffice, P::None},
        // A current LibreOffice shows every kind, old binary formats too.
        {"docx", {lo("7.4")}, O::Load, P::LibreOffice},
        {"XLSX", {lo("7.4")}, O::Load, P::LibreOffice},
        {"ppt", {lo("24.2")}, O::Load, P::LibreOffice},
        {"pps", {lo("7.4", "p")}, O::Load, P::LibreOffice},
        // An office too old for the Open XML formats: only those are refused.
        {"dotx", {lo("3.0")}, O::BoxNeedOoxml, P::LibreOffice},
        {"xlsm", {lo("3.0")}, O::Load, P::LibreOffice},
        {"doc", {lo("3.0")}, O::Load, P::LibreOffice},
        // ... but the same file opens when WPS serves it.
        {"docx", {wps("11.1"), lo("3.0")}, O::Load, P::Wps},
        // An office whose version cannot be told does not count as present.
        {"docx", {lo("")}, O::HintCannotView, P::LibreOffice},
        // WPS formats need WPS; LibreOffice converts them once WPS is there.
        {"et", {lo("7.4")}, O::BoxNeedWps, P::LibreOffice},
        {"wps", {lo("7.4"), wps("11.1")}, O::Load, P::Wps},
        {"dps", {lo("7.4"), wps("9.1")}, O::Load, P::Wps},
        {"et", {lo("7.4"), wps("8.1")}, O::BoxNeedWps, P::OldWps},
        // WPS alone: too old, or current but nothing converts for the viewer.
        {"doc", {wps("8.1")}, O::HintOldWps, P::OldWps},
        {"doc", {wps("")}, O::HintOldWps, P::OldWps},
        {"doc", {wps("10.1")}, O::BoxViewerMissing, P::Wps},
        {"dps", {wps("11.1"), lo("7.4", "w")}, O::BoxViewerMissing, P::Wps},
        // An old WPS next to a present office does not stop it.
        {"doc", {wps("8.1"), lo("7.4")}, O::Load, P::OldWps},
        // Other file types: any application of a LibreOffice converts them.
        {"odt", {lo("7.4", "w")}, O::Load, P::LibreOffice},
    };
    for (const GateCase& c : cases) {
        const ov::OfficeGate gate = ov::decideOfficeGate(QString::fromLatin1(c.ext), c.suites);
        const std::string what =
            std::string(c.ext) + " with " + std::to_string(c.suites.size()) + " suites, first " +
            (c.suites.empty() ? "-" : c.suites[0].version.toString().toStdString());
        EXPECT_EQ(gate.outcome, c.outcome) << what;
        EXPECT_EQ(gate.platform, c.platform) << what;
        EXPECT_EQ(gate.outcome == O::Load, gate.converter.has_value() && gate.outcome == O::Load)
            << what;
    }
}

TEST(OfficeGateTest, KindsOfTheFileTypes) {
    using K = ov::OfficeDocKind;
    const std::vector<std::pair<const char*, K>> kinds = {
        {"doc", K::Word},       {"wps", K::Word},       {"docx", K::Word},
        {"dotx", K::Word},      {"et", K::Excel},       {"xls", K::Excel},
        {"xlsm", K::Excel},     {"xlsx", K::Excel},     {"dps", K::PowerPoint},
        {"pps", K::PowerPoint}, {"ppt", K::PowerPoint}, {"pptx", K::PowerPoint},
        {"pdf", K::None},       {"docm", K::None},      {"", K::None}};
    for (const auto& [ext, kind] : kinds)
        EXPECT_EQ(ov::officeDocKind(ov::FileExtToCode(QString::fromLatin1(ext))), kind) << ext;
}

}  // namespace

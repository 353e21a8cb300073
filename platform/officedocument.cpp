#include "platform/officedocument.h"

#include "platform/officeprocess.h"
#include "platform/officework.h"

#include <QFileInfo>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

// The script's text: the file is written so that it is both valid Python and, included here,
// the contents of one raw string literal.
constexpr char kScript[] =
#include "resources/office/officeops.py"
    ;

OfficeResult failed(const QString& why) {
    return {OfficeStatus::Failed, why};
}

QString onOff(bool on) {
    return on ? u"on"_s : u"off"_s;
}

QString argumentOf(const OfficeOperation& op) {
    using Kind = OfficeOperation::Kind;
    switch (op.kind) {
        case Kind::AcceptAllRevisions:
            return u"accept-all"_s;
        case Kind::TrackRevisions:
            return u"track="_s + onOff(op.on);
        case Kind::ShowRevisions:
            return u"show="_s + onOff(op.on);
        case Kind::Save:
            return u"save"_s;
        case Kind::SaveAs:
            return u"save-as="_s + QFileInfo(op.path).absoluteFilePath();
        case Kind::ExportPdf:
            return u"export-pdf="_s + QFileInfo(op.path).absoluteFilePath();
    }
    return {};
}

OfficeResult checkJob(const OfficeInstallation& office, const DocumentOperations& job) {
    if (office.suite != OfficeSuite::LibreOffice || !QFileInfo(office.program).isExecutable())
        return {OfficeStatus::NotInstalled, u"LibreOffice is not installed"_s};
    if (office.python.isEmpty())
        return {OfficeStatus::NotInstalled, u"LibreOffice's Python bridge is not installed"_s};
    if (!QFileInfo(job.document).isFile()) return failed(u"document not found: "_s + job.document);
    for (const OfficeOperation& op : job.operations) {
        const bool writesFile =
            op.kind == OfficeOperation::Kind::SaveAs || op.kind == OfficeOperation::Kind::ExportPdf;
        if (writesFile && op.path.isEmpty()) return failed(u"a file name is missing"_s);
    }
    return {OfficeStatus::Ok, {}};
}

OfficeProcess operationsProcess(const OfficeInstallation& office, const DocumentOperations& job,
                                const OfficeWorkFolder& work) {
    // A pipe name of its own, so that two jobs never reach each other's office.
    const QString pipe = u"ov-office-"_s + QUuid::createUuid().toString(QUuid::Id128);
    OfficeProcess run;
    run.program = office.python;
    run.arguments = {work.path() + u"officeops.py"_s, office.program, work.profileUrl(), pipe,
                     QFileInfo(job.document).absoluteFilePath()};
    for (const OfficeOperation& op : job.operations)
        run.arguments << argumentOf(op);
    run.workFolder = work.path();
    run.profileUrls = {work.profileUrl()};
    run.pipeNames = {pipe};
    run.timeLimit = job.timeLimit;
    return run;
}

OfficeResult runJob(const OfficeInstallation& office, const DocumentOperations& job,
                    std::stop_token stop) {
    OfficeResult checked = checkJob(office, job);
    if (!checked.ok()) return checked;
    OfficeWorkFolder work(job.workRoot);
    if (!work.writeScript(u"officeops.py"_s, kScript))
        return failed(u"no private temporary folder can be made"_s);
    return runOfficeProcess(operationsProcess(office, job, work), stop);
}

}  // namespace

OfficeResult runDocumentOperations(const OfficeInstallation& office, const DocumentOperations& job,
                                   std::stop_token stop) {
    return timedOfficeJob([&] { return runJob(office, job, stop); });
}

std::vector<OfficeOperation> acceptRevisionsOperations() {
    return {OfficeOperation::acceptAllRevisions(), OfficeOperation::trackRevisions(false),
            OfficeOperation::showRevisions(false), OfficeOperation::save()};
}

}  // namespace ov::platform

#include "platform/officeconvert.h"

#include "platform/officeprocess.h"
#include "platform/officework.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

OfficeResult failed(const QString& why) {
    return {OfficeStatus::Failed, why};
}

OfficeProcess conversionProcess(const OfficeInstallation& office, const QString& document,
                                const OfficeWorkFolder& work, std::chrono::milliseconds limit) {
    OfficeProcess run;
    run.program = office.program;
    // The document goes as a file URL so that no name is taken for an option or mangled.
    run.arguments = {u"--headless"_s,
                     u"--nologo"_s,
                     u"--norestore"_s,
                     u"--nolockcheck"_s,
                     u"-env:UserInstallation="_s + work.profileUrl(),
                     u"--convert-to"_s,
                     u"pdf"_s,
                     u"--outdir"_s,
                     work.path() + u"out"_s,
                     QUrl::fromLocalFile(document).toString(QUrl::FullyEncoded)};
    run.workFolder = work.path();
    run.profileUrls = {work.profileUrl()};
    run.timeLimit = limit;
    return run;
}

bool isPdf(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

// The office names the PDF after the document; the output folder holds nothing else.
QString producedPdf(const QString& outFolder) {
    const QFileInfoList found = QDir(outFolder).entryInfoList({u"*.pdf"_s}, QDir::Files);
    return found.size() == 1 ? found.first().filePath() : QString();
}

OfficeResult convert(const OfficeInstallation& office, const PdfConversion& conversion,
                     std::stop_token stop) {
    OfficeResult checked = checkPdfConversion(office, conversion);
    if (!checked.ok()) return checked;
    OfficeWorkFolder work(conversion.workRoot);
    if (!work.isValid()) return failed(u"no private temporary folder can be made"_s);
    const QString document = QFileInfo(conversion.document).absoluteFilePath();
    OfficeResult ran =
        runOfficeProcess(conversionProcess(office, document, work, conversion.timeLimit), stop);
    if (!ran.ok()) return ran;
    return placeOfficePdf(producedPdf(work.path() + u"out"_s), conversion.pdf,
                          officeProcessLastWords(work.path()));
}

}  // namespace

// The office ends with success also when it could not read the document; only the PDF tells.
OfficeResult placeOfficePdf(const QString& produced, const QString& target, const QString& why) {
    if (produced.isEmpty() || !isPdf(produced))
        return failed(u"the office wrote no PDF: "_s +
                      (why.isEmpty() ? u"the document cannot be read"_s : why));
    if (QFile::exists(target) && !QFile::remove(target))
        return failed(u"the old file cannot be replaced: "_s + target);
    // Renamed where it can be; copied when the target lies on another file system.
    if (!QFile::rename(produced, target) &&
        !(QFile::copy(produced, target) && QFile::remove(produced)))
        return failed(u"the PDF cannot be written to "_s + target);
    return {OfficeStatus::Ok, {}};
}

OfficeResult checkPdfConversion(const OfficeInstallation& office, const PdfConversion& conversion) {
    if (office.suite != OfficeSuite::LibreOffice || !QFileInfo(office.program).isExecutable())
        return {OfficeStatus::NotInstalled, u"LibreOffice is not installed"_s};
    if (!QFileInfo(conversion.document).isFile())
        return failed(u"document not found: "_s + conversion.document);
    if (conversion.pdf.isEmpty()) return failed(u"no place for the PDF was given"_s);
    return {OfficeStatus::Ok, {}};
}

OfficeResult convertToPdf(const OfficeInstallation& office, const PdfConversion& conversion,
                          std::stop_token stop) {
    return timedOfficeJob([&] { return convert(office, conversion, stop); });
}

}  // namespace ov::platform

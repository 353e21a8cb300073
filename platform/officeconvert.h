#pragma once
// Conversion of an office document (Word, Excel, PowerPoint, WPS, OpenDocument ...) to PDF for
// viewing, by LibreOffice in headless mode.
//
// Each conversion runs its own office with a private user installation in a private temporary
// folder, so it never meets the user's running office nor another conversion. The folder, and
// with it everything the office wrote, is removed when the conversion ends, whether it succeeded,
// failed, timed out or was cancelled; only the PDF, on success, is left at the place asked for.
//
// convertToPdf blocks for the whole conversion (seconds): call it on a worker thread, or use
// OfficeJob (platform/officejob.h), which runs it on a thread of its own and signals the result.

#include "platform/officeresult.h"
#include "platform/officesuite.h"

#include <QString>
#include <chrono>
#include <stop_token>

namespace ov::platform {

struct PdfConversion {
    QString document;  // the file to convert
    QString pdf;       // where the PDF goes; an existing file there is replaced
    std::chrono::milliseconds timeLimit{120000};
    // Where the private folder is made; empty means the system's temporary folder.
    QString workRoot;
};

// Converts with the LibreOffice given (see findOfficeSuite). NotInstalled when `office` is not a
// LibreOffice with a soffice program; Failed when the office wrote no PDF; TimedOut, Cancelled
// (through `stop`) as the job ended. Safe to call from any thread, several at once.
OfficeResult convertToPdf(const OfficeInstallation& office, const PdfConversion& conversion,
                          std::stop_token stop = {});

// What every conversion checks first: a LibreOffice (else NotInstalled), the document, a target.
OfficeResult checkPdfConversion(const OfficeInstallation& office, const PdfConversion& conversion);
// Puts the PDF the office produced in its place, replacing a file there; Failed when nothing
// (or no PDF) was produced, with `why` (the office's last words) in the message.
OfficeResult placeOfficePdf(const QString& produced, const QString& target, const QString& why);

}  // namespace ov::platform

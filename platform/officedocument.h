#pragma once
// Operations on an office document's content, done by LibreOffice's own automation: a small
// Python script (resources/office/officeops.py, built into this library) run with LibreOffice's
// Python bridge starts a headless office with a private user installation, opens the document
// hidden, applies the operations in order and closes it.
//
// Revisions (tracked changes) and the PDF of the document as shown can be handled in text
// documents only (Word, WPS writer, OpenDocument text); on other documents those operations
// fail with a message and the steps after them are not done. Saving keeps the document's own
// format, also under another name.
//
// runDocumentOperations blocks for seconds: call it on a worker thread, or through OfficeJob
// (platform/officejob.h).

#include "platform/officeresult.h"
#include "platform/officesuite.h"

#include <QString>
#include <chrono>
#include <stop_token>
#include <vector>

namespace ov::platform {

struct OfficeOperation {
    enum class Kind { AcceptAllRevisions, TrackRevisions, ShowRevisions, Save, SaveAs, ExportPdf };
    Kind kind = Kind::Save;
    bool on = false;  // TrackRevisions, ShowRevisions
    QString path;     // SaveAs, ExportPdf: where the file goes (replaced when it exists)

    static OfficeOperation acceptAllRevisions() { return {Kind::AcceptAllRevisions}; }
    static OfficeOperation trackRevisions(bool on) { return {Kind::TrackRevisions, on}; }
    static OfficeOperation showRevisions(bool on) { return {Kind::ShowRevisions, on}; }
    static OfficeOperation save() { return {Kind::Save}; }
    static OfficeOperation saveAs(const QString& path) { return {Kind::SaveAs, false, path}; }
    // The text document as it is shown at this step (revisions shown or hidden) as PDF: what a
    // viewer shows after ShowRevisions.
    static OfficeOperation exportPdf(const QString& path) { return {Kind::ExportPdf, false, path}; }
};

struct DocumentOperations {
    QString document;
    std::vector<OfficeOperation> operations;
    std::chrono::milliseconds timeLimit{120000};
    QString workRoot;  // where the private folder is made; empty: the system's temporary folder
};

// Ok only when every operation was done (accepting revisions is checked: none may remain).
// NotInstalled without a LibreOffice or its Python bridge; Failed, TimedOut, Cancelled as for
// the conversion. When a step fails, the steps after it are not done; a Save done before it
// stays done. Safe to call from any thread, several at once.
OfficeResult runDocumentOperations(const OfficeInstallation& office, const DocumentOperations& job,
                                   std::stop_token stop = {});

// The operations of accepting every revision as the previewer and editor do it: accept all,
// stop tracking, hide revisions, save.
std::vector<OfficeOperation> acceptRevisionsOperations();

}  // namespace ov::platform

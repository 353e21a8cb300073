#pragma once
// Helpers of the office tests: fixtures, the real LibreOffice of this machine, reading an entry
// of a zip package, PDF facts from poppler's tools and what an office job left behind.

#include "platform/officesuite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ov::test {

QString officeFixture(const QString& name);

// The machine's LibreOffice; the tests that need it skip themselves without one.
std::optional<platform::OfficeInstallation> realLibreOffice();

// One entry of a zip package (an .odt's content.xml, a .docx's word/document.xml); empty when
// the file or the entry is missing.
QByteArray zipEntry(const QString& package, const char* entry);

// Standard output of a tool (pdftotext, pdfinfo); nullopt when it cannot be run.
std::optional<QString> toolOutput(const QString& program, const QStringList& arguments);

// The number of pages pdfinfo reports; -1 when it cannot tell.
int pdfPages(const QString& pdf);

// Everything below a folder (files and folders, recursively), as relative paths.
QStringList entriesBelow(const QString& folder);

// Processes whose command line mentions the text (an office job's private folder).
int processesMentioning(const QString& text);

// The office's local sockets in /tmp that belong to this user.
QStringList officeSockets();

// Those of them that no process listens on any more: what a stopped office left behind. Offices
// of other tests running at the same time listen on theirs, so they do not count.
QStringList staleOfficeSockets();

}  // namespace ov::test

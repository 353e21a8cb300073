R"py("#"
# Keeps one headless office running and converts documents to PDF through it, one request at
# a time, for as long as its caller keeps standard input open.
#
# The first and the last line let a C++ file include this script as a raw string literal; to
# Python both are harmless (a string expression and a comment).
#
# Usage: officeserver.py SOFFICE PROFILE_URL PIPE_NAME
# Protocol, one line each way, UTF-8, fields separated by tabs:
#   after start-up   -> "ready"              (or "lost<TAB>why" and the script ends)
#   "convert<TAB>DOCUMENT<TAB>PDF"  -> "ok" | "failed<TAB>why" | "lost<TAB>why"
# "lost" means the office is gone or unusable; the script ends after saying so. End of input
# ends the office and the script. The caller owns the time limits: it kills this script's
# process group, the office included.

import os
import sys

from officecommon import (Lost, close_document, connect, describe, desktop_of, file_url, is_lost,
                          prop, say, start_office, stop_office)

# The PDF export filter for each kind of document the office loads.
EXPORTS = (
    ("com.sun.star.text.TextDocument", "writer_pdf_Export"),
    ("com.sun.star.sheet.SpreadsheetDocument", "calc_pdf_Export"),
    ("com.sun.star.presentation.PresentationDocument", "impress_pdf_Export"),
    ("com.sun.star.drawing.DrawingDocument", "draw_pdf_Export"),
)


class Failed(Exception):
    pass


def load(desktop, path):
    # Read-only and hidden; no macro runs and no link is brought up to date from outside.
    args = (prop("Hidden", True), prop("ReadOnly", True), prop("MacroExecutionMode", 0),
            prop("UpdateDocMode", 0))
    doc = desktop.loadComponentFromURL(file_url(path), "_blank", 0, args)
    if doc is None:
        raise Failed("the document cannot be read")
    return doc


def export_filter(doc):
    for service, name in EXPORTS:
        if doc.supportsService(service):
            return name
    raise Failed("the document is of a kind that has no PDF export")


def convert(desktop, document, pdf):
    if not os.path.isfile(document):
        raise Failed("document not found: " + document)
    doc = load(desktop, document)
    try:
        doc.storeToURL(file_url(pdf), (prop("FilterName", export_filter(doc)),))
    finally:
        close_document(doc)
    if not os.path.isfile(pdf):
        raise Failed("the office wrote no PDF")


def answer(desktop, office, fields):
    if len(fields) != 3 or fields[0] != "convert":
        say("failed", "bad request")
        return True
    try:
        convert(desktop, fields[1], fields[2])
        say("ok")
    except Failed as e:
        say("failed", str(e))
    except Exception as e:
        if is_lost(e, office):
            say("lost", describe(e))
            return False
        say("failed", describe(e))
    return True


def serve(desktop, office):
    for line in sys.stdin:
        if not answer(desktop, office, line.rstrip("\n").split("\t")):
            return


def main(argv):
    if len(argv) != 4:
        say("lost", "usage: officeserver.py SOFFICE PROFILE_URL PIPE")
        return
    office = start_office(*argv[1:4])
    desktop = None
    try:
        ctx = connect(office, argv[3])
        desktop = desktop_of(ctx)
        say("ready")
        serve(desktop, office)
    except Lost as e:
        say("lost", str(e))
    finally:
        stop_office(desktop, office)


if __name__ == "__main__":
    try:
        main(sys.argv)
    except Exception as e:
        say("lost", describe(e))
# )py"

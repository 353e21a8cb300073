R"py("#"
# Runs document operations in a headless office process through its Python bridge.
#
# The first and the last line let a C++ file include this script as a raw string literal; to
# Python both are harmless (a string expression and a comment).
#
# Usage: officeops.py SOFFICE PROFILE_URL PIPE_NAME DOCUMENT OPERATION...
# Operations, applied in order to the one document:
#   accept-all       accept every tracked change (text documents)
#   track=on|off     record changes from now on, or not (text documents)
#   show=on|off      show tracked changes, or hide them (text documents)
#   save             store the document in place, in its own format
#   save-as=PATH     write a copy to PATH in the document's own format
#   export-pdf=PATH  write the document as shown (revisions shown or not) as PDF to PATH
# Exit code 0 means every operation was done; otherwise the last line on standard error says why.
# The caller owns the time limit: it kills this script's process group, the office included.

import os
import sys

from officecommon import (Lost, close_document, connect, describe, desktop_of, file_url, prop,
                          start_office, stop_office)


class OpError(Exception):
    pass


def load(desktop, path):
    if not os.path.isfile(path):
        raise OpError("document not found: " + path)
    doc = desktop.loadComponentFromURL(file_url(path), "_blank", 0,
                                       (prop("Hidden", True), prop("ReadOnly", False)))
    if doc is None:
        raise OpError("the document could not be opened: " + path)
    return doc


def require_text(doc, op):
    if not doc.supportsService("com.sun.star.text.TextDocument"):
        raise OpError(op + " is supported on text documents only")


def count_changes(doc):
    changes = doc.getRedlines().createEnumeration()
    n = 0
    while changes.hasMoreElements():
        changes.nextElement()
        n += 1
    return n


def dispatch(ctx, doc, command):
    helper = ctx.ServiceManager.createInstanceWithContext(
        "com.sun.star.frame.DispatchHelper", ctx)
    frame = doc.getCurrentController().getFrame()
    helper.executeDispatch(frame, command, "", 0, ())


def accept_all(ctx, doc):
    require_text(doc, "accept-all")
    if count_changes(doc) == 0:
        return
    dispatch(ctx, doc, ".uno:AcceptAllTrackedChanges")
    if count_changes(doc) != 0:
        raise OpError("tracked changes remain after accepting them")


def set_track(doc, value):
    require_text(doc, "track")
    doc.RecordChanges = value
    if doc.RecordChanges != value:
        raise OpError("track could not be set")


def set_show(doc, value):
    # ShowChanges reads the state but does not take a new one in a headless office; the
    # display type does: 2 shows insertions and deletions, 0 shows the text as accepted.
    require_text(doc, "show")
    doc.RedlineDisplayType = 2 if value else 0
    if doc.ShowChanges != value:
        raise OpError("show could not be set")


def filter_name(doc):
    for p in doc.getArgs():
        if p.Name == "FilterName":
            return p.Value
    return ""


def save_as(doc, path):
    args = []
    name = filter_name(doc)
    if name:
        args.append(prop("FilterName", name))
    args.append(prop("Overwrite", True))
    doc.storeToURL(file_url(path), tuple(args))
    if not os.path.isfile(path):
        raise OpError("the copy was not written: " + path)


def export_pdf(doc, path):
    doc.storeToURL(file_url(path), (prop("FilterName", "writer_pdf_Export"),))
    if not os.path.isfile(path):
        raise OpError("the PDF was not written: " + path)


def on_off(op, value):
    if value not in ("on", "off"):
        raise OpError("bad operation: " + op)
    return value == "on"


def run_op(ctx, doc, op):
    name, _, value = op.partition("=")
    if op == "accept-all":
        accept_all(ctx, doc)
    elif name == "track":
        set_track(doc, on_off(op, value))
    elif name == "show":
        set_show(doc, on_off(op, value))
    elif op == "save":
        doc.store()
    elif name == "save-as" and value:
        save_as(doc, value)
    elif name == "export-pdf" and value:
        require_text(doc, "export-pdf")
        export_pdf(doc, value)
    else:
        raise OpError("bad operation: " + op)


def check_ops(ops):
    known = ("accept-all", "track=on", "track=off", "show=on", "show=off", "save")
    for op in ops:
        name, _, value = op.partition("=")
        if op not in known and not (name in ("save-as", "export-pdf") and value):
            raise OpError("bad operation: " + op)


def work(ctx, desktop, path, ops):
    doc = load(desktop, path)
    try:
        for op in ops:
            run_op(ctx, doc, op)
    finally:
        close_document(doc)


def main(argv):
    if len(argv) < 6:
        raise OpError("usage: officeops.py SOFFICE PROFILE_URL PIPE DOCUMENT OPERATION...")
    soffice, profile, pipe, path = argv[1:5]
    ops = argv[5:]
    check_ops(ops)
    office = start_office(soffice, profile, pipe)
    desktop = None
    try:
        ctx = connect(office, pipe)
        desktop = desktop_of(ctx)
        work(ctx, desktop, path, ops)
    finally:
        stop_office(desktop, office, wait_seconds=20)


if __name__ == "__main__":
    try:
        main(sys.argv)
    except (OpError, Lost) as e:
        sys.stderr.write("officeops: %s\n" % e)
        sys.exit(2)
    except Exception as e:
        sys.stderr.write("officeops: %s\n" % describe(e))
        sys.exit(3)
# )py"

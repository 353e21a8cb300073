R"py("#"
# Keeps one office running with a window and drives the one document it edits, for as long as
# its caller keeps standard input open.
#
# The first and the last line let a C++ file include this script as a raw string literal; to
# Python both are harmless (a string expression and a comment).
#
# Usage: officeeditor.py SOFFICE PROFILE_URL PIPE_NAME
# Protocol, one line each way, UTF-8, fields separated by tabs:
#   after start-up             -> "ready"  (or "lost<TAB>why" and the script ends)
#   "open<TAB>DOCUMENT"        open the document editable in a window of its own
#   "save<TAB>PATH"            store the document to PATH in its own format
#   "close"                    close the document without asking
#   "print" | "print-dialog"   print to the default printer, or show the print dialog
#   "preview" | "preview-exit" enter or leave the print preview
#   "find"                     show the find and replace dialog
#   "navigator=on|off"         show or hide the navigator
#   "track=on|off"             record changes from now on, or not (text documents)
#   "show=on|off"              show tracked changes, or hide them (text documents)
#   "accept-all"               accept every tracked change (text documents)
#   "save-as-dialog<TAB>NAME"  show the save-as dialog with NAME proposed
#   "insert<TAB>TEXT"          type TEXT at the start of a text document (scripted editing)
# Each request is answered "ok" | "failed<TAB>why" | "lost<TAB>why". Dialogs are shown without
# waiting for the user: the request is answered once the dialog is asked for. "lost" means the
# office is gone; the script ends after saying so. End of input ends the office.

import os
import subprocess
import sys
import threading
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

CONNECT_SECONDS = 60


class Lost(Exception):
    pass


class Failed(Exception):
    pass


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def start_office(soffice, profile_url, pipe):
    args = [soffice, "--nologo", "--norestore", "--nodefault", "--nolockcheck",
            "-env:UserInstallation=" + profile_url,
            "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe]
    return subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def connect(office, pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    url = "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe
    deadline = time.monotonic() + CONNECT_SECONDS
    while True:
        try:
            return resolver.resolve(url)
        except NoConnectException:
            if office.poll() is not None:
                raise Lost("the office process ended before it could be reached")
            if time.monotonic() > deadline:
                raise Lost("the office process could not be reached")
            time.sleep(0.05)


def quiet_start(ctx):
    # No tip of the day and no first-start notices over the document.
    provider = ctx.ServiceManager.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", ctx)
    access = provider.createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationUpdateAccess",
        (prop("nodepath", "/org.openoffice.Office.Common/Misc"),))
    try:
        access.setPropertyValue("ShowTipOfTheDay", False)
        access.commitChanges()
    except Exception:
        pass


class Editor:
    def __init__(self, ctx, desktop):
        self.ctx = ctx
        self.desktop = desktop
        self.doc = None

    def open(self, path):
        if not os.path.isfile(path):
            raise Failed("document not found: " + path)
        args = (prop("Hidden", False), prop("ReadOnly", False), prop("MacroExecutionMode", 0),
                prop("UpdateDocMode", 0))
        self.doc = self.desktop.loadComponentFromURL(uno.systemPathToFileUrl(path), "_blank", 0,
                                                     args)
        if self.doc is None:
            raise Failed("the document cannot be opened")

    def document(self):
        if self.doc is None:
            raise Failed("no document is open")
        return self.doc

    def text_document(self, op):
        doc = self.document()
        if not doc.supportsService("com.sun.star.text.TextDocument"):
            raise Failed(op + " is supported on text documents only")
        return doc

    def dispatch(self, command, args=(), wait=True):
        frame = self.document().getCurrentController().getFrame()
        helper = self.ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.DispatchHelper", self.ctx)
        if wait:
            helper.executeDispatch(frame, command, "", 0, args)
            return
        # A dialog stays open for the user; the request does not wait for it.
        threading.Thread(target=helper.executeDispatch,
                         args=(frame, command, "", 0, args), daemon=True).start()
        time.sleep(0.2)

    def save(self, path):
        doc = self.document()
        url = uno.systemPathToFileUrl(os.path.abspath(path))
        if doc.getLocation() == url:
            doc.store()
            return
        args = [prop("Overwrite", True)]
        for p in doc.getArgs():
            if p.Name == "FilterName" and p.Value:
                args.append(prop("FilterName", p.Value))
        doc.storeToURL(url, tuple(args))
        if not os.path.isfile(path):
            raise Failed("the document was not written: " + path)

    def close(self):
        doc, self.doc = self.doc, None
        if doc is None:
            return
        try:
            doc.close(True)
        except Exception:
            doc.dispose()

    def print_out(self):
        self.document().print(())

    def set_track(self, value):
        doc = self.text_document("track")
        doc.RecordChanges = value

    def set_show(self, value):
        # 2 shows insertions and deletions, 0 shows the text as accepted.
        doc = self.text_document("show")
        doc.RedlineDisplayType = 2 if value else 0

    def accept_all(self):
        self.text_document("accept-all")
        self.dispatch(".uno:AcceptAllTrackedChanges")

    def insert(self, text):
        doc = self.text_document("insert")
        body = doc.getText()
        body.insertString(body.getStart(), text, False)

    def navigator(self, value):
        self.dispatch(".uno:Navigator", (prop("Navigator", value),))


def on_off(value):
    if value not in ("on", "off"):
        raise Failed("bad request")
    return value == "on"


def run(editor, fields):
    name, _, value = fields[0].partition("=")
    arg = fields[1] if len(fields) > 1 else ""
    simple = {
        "close": editor.close,
        "print": editor.print_out,
        "print-dialog": lambda: editor.dispatch(".uno:Print", wait=False),
        "preview": lambda: editor.dispatch(".uno:PrintPreview"),
        "preview-exit": lambda: editor.dispatch(".uno:ClosePreview"),
        "find": lambda: editor.dispatch(".uno:SearchDialog", wait=False),
        "accept-all": editor.accept_all,
    }
    if fields[0] in simple and len(fields) == 1:
        simple[fields[0]]()
    elif name == "open" and arg:
        editor.open(arg)
    elif name == "save" and arg:
        editor.save(arg)
    elif name == "save-as-dialog" and len(fields) == 2:
        editor.dispatch(".uno:SaveAs", (prop("SuggestedSaveAsName", arg),), wait=False)
    elif name == "insert" and len(fields) == 2:
        editor.insert(arg)
    elif name in ("navigator", "track", "show") and len(fields) == 1:
        {"navigator": editor.navigator, "track": editor.set_track,
         "show": editor.set_show}[name](on_off(value))
    else:
        raise Failed("bad request")


def is_lost(error, office):
    return office.poll() is not None or "DisposedException" in type(error).__name__


def say(*fields):
    sys.stdout.write("\t".join(f.replace("\t", " ").replace("\n", " ") for f in fields) + "\n")
    sys.stdout.flush()


def answer(editor, office, fields):
    try:
        run(editor, fields)
        say("ok")
    except Failed as e:
        say("failed", str(e))
    except Exception as e:
        why = "%s: %s" % (type(e).__name__, getattr(e, "Message", e))
        if is_lost(e, office):
            say("lost", why)
            return False
        say("failed", why)
    return True


def stop_office(editor, office):
    try:
        if editor is not None:
            editor.close()
            editor.desktop.terminate()
    except Exception:
        pass  # the bridge goes down with the office; that is the expected end
    try:
        office.wait(timeout=10)
    except subprocess.TimeoutExpired:
        office.kill()
        office.wait()


def main(argv):
    if len(argv) != 4:
        say("lost", "usage: officeeditor.py SOFFICE PROFILE_URL PIPE")
        return
    office = start_office(*argv[1:4])
    editor = None
    try:
        ctx = connect(office, argv[3])
        quiet_start(ctx)
        desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        editor = Editor(ctx, desktop)
        say("ready")
        for line in sys.stdin:
            if not answer(editor, office, line.rstrip("\n").split("\t")):
                return
    except Lost as e:
        say("lost", str(e))
    finally:
        stop_office(editor, office)


if __name__ == "__main__":
    try:
        main(sys.argv)
    except Exception as e:
        say("lost", "%s: %s" % (type(e).__name__, getattr(e, "Message", e)))
# )py"

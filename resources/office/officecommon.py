R"py("#"
# What the office scripts share: starting an office of their own, reaching it through its pipe,
# loading and closing documents, answering their caller, and ending the office. Each script
# is written next to this module and imports it from there.
#
# The first and the last line let a C++ file include this module as a raw string literal; to
# Python both are harmless (a string expression and a comment).

import os
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

CONNECT_SECONDS = 60


class Lost(Exception):
    """The office is gone, or could not be reached."""


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def file_url(path):
    return uno.systemPathToFileUrl(os.path.abspath(path))


def start_office(soffice, profile_url, pipe, headless=True):
    args = [soffice] + (["--headless", "--invisible"] if headless else [])
    args += ["--nologo", "--norestore", "--nodefault", "--nolockcheck",
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


def desktop_of(ctx):
    return ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)


def close_document(doc):
    try:
        doc.close(True)
    except Exception:
        try:
            doc.dispose()
        except Exception:
            pass


def stop_office(desktop, office, wait_seconds=10):
    try:
        if desktop is not None:
            desktop.terminate()
    except Exception:
        pass  # the bridge goes down with the office; that is the expected end
    try:
        office.wait(timeout=wait_seconds)
    except subprocess.TimeoutExpired:
        office.kill()
        office.wait()


def is_lost(error, office):
    return office.poll() is not None or "DisposedException" in type(error).__name__


def describe(error):
    return "%s: %s" % (type(error).__name__, getattr(error, "Message", error))


def say(*fields):
    sys.stdout.write("\t".join(f.replace("\t", " ").replace("\n", " ") for f in fields) + "\n")
    sys.stdout.flush()
# )py"

#pragma once
// One document edited in a LibreOffice window, driven by LibreOffice's own automation: a small
// script of its Python bridge (resources/office/officeeditor.py, built into this library) starts
// an office with a private user installation, opens the document visible and editable, and then
// carries out one request at a time (save, close, print, print preview, find, navigator,
// revisions, save-as dialog). The office and the script form one process group, stopped
// together when the session goes.
//
// Every call blocks until the office answered or its time limit passed: call them on a worker
// thread. Calls from several threads are served one after another.

#include "platform/officeresult.h"
#include "platform/officesuite.h"

#include <QString>
#include <chrono>
#include <memory>
#include <mutex>

namespace ov::platform {

class OfficeServerProcess;
class OfficeWorkFolder;

class OfficeEditorSession {
public:
    // The private folder is made under `workRoot` (empty: the system's temporary folder).
    OfficeEditorSession(OfficeInstallation office, QString workRoot);
    ~OfficeEditorSession();
    OfficeEditorSession(const OfficeEditorSession&) = delete;
    OfficeEditorSession& operator=(const OfficeEditorSession&) = delete;

    // Starts the office (when not running) and opens the document in its window.
    OfficeResult open(const QString& document);
    // One request of the script's protocol: `op` ("save", "close", "print", "print-dialog",
    // "preview", "preview-exit", "find", "navigator=on", "track=off", "show=on", "accept-all",
    // "save-as-dialog", "insert") and its argument where it takes one.
    OfficeResult request(const QString& op, const QString& argument = {});
    // Closes the document and stops the office.
    void stop();
    bool isRunning() const;

    std::chrono::milliseconds startLimit{90000};
    std::chrono::milliseconds requestLimit{60000};

private:
    OfficeResult ensureRunning();
    OfficeResult exchange(const QByteArray& line, std::chrono::milliseconds limit);

    OfficeInstallation m_office;
    QString m_workRoot;
    mutable std::mutex m_mutex;
    std::unique_ptr<OfficeWorkFolder> m_work;
    std::unique_ptr<OfficeServerProcess> m_server;
};

}  // namespace ov::platform

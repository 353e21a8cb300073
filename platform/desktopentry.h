#pragma once
// Desktop entry files (".desktop"): how the desktop starts a program from a menu, from a
// shortcut on the desktop, at log-in (autostart) or for a URL scheme.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ov::platform {

struct DesktopEntry {
    QString name;
    QString comment;
    QString program;        // full path of the program
    QStringList arguments;  // written quoted after the program
    QString fieldCode;      // appended unquoted, e.g. "%u" for the URL handed over by the desktop
    QString icon;
    QString workingFolder;
    QStringList mimeTypes;
    bool noDisplay = false;
};

// The Exec value: the program and each argument quoted where the desktop-entry rules need it,
// then the field code. "" when the program path is empty or a text holds a control character
// (a line end cannot be written into an entry).
QString desktopExecLine(const DesktopEntry& entry);

// The whole file text (UTF-8); empty when the Exec value cannot be written.
QByteArray desktopEntryText(const DesktopEntry& entry);

// Writes the entry atomically, creating the folder; executable files get mode 0755 (desktops
// only start launchers on the desktop that are executable), others 0644.
bool writeDesktopEntry(const QString& fileName, const DesktopEntry& entry, bool executable);

// The autostart entry of the id: the Startup folder (specialFolder(3)) + id + ".desktop".
// The id must be a plain file name (no "/", not empty), else "".
QString autostartEntryFile(const QString& id);
// Enabled writes the entry (an existing one is replaced); disabled removes it. True when the
// entry is in the wanted state afterwards.
bool setAutostartEntry(const QString& id, const DesktopEntry& entry, bool enabled);

// A shortcut file: linkFile (the ".desktop" suffix added when missing) starting the entry's
// program. False when the program does not exist or the file cannot be written.
bool writeShortcut(const QString& linkFile, const DesktopEntry& entry);

}  // namespace ov::platform

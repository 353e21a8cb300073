#pragma once
// The user's special folders, from the XDG base and user directories, so that tests can move
// every one of them by setting HOME and the XDG_* variables. Every folder text ends with "/".

#include <QString>

namespace ov::platform {

// The folder for one of the system's special-folder indices 0 to 22:
//   0 Desktop, 1 Start Menu, 2 Programs (the user's applications folder), 3 Startup
//   ($XDG_CONFIG_HOME/autostart), 4 Personal (documents), 5 AppData ($XDG_CONFIG_HOME),
//   6 Fonts, 7 SendTo, 8 Recent, 9 Favorites, 10 Cache ($XDG_CACHE_HOME), 11 Cookies,
//   12 History, 13 NetHood, 14 PrintHood, 15 Templates, 16 Local AppData ($XDG_DATA_HOME),
//   17 Windows folder, 18 system folder, 19 temporary folder, 20 system drive ("/"),
//   21 program files, 22 common files.
// Desktop, Personal and Templates honour XDG_DESKTOP_DIR, XDG_DOCUMENTS_DIR and
// XDG_TEMPLATES_DIR, then the user-dirs file; Fonts is $XDG_DATA_HOME/fonts. Program files and
// common files are the values "ProgramFilesDir" and "CommonW6432Dir" (else "CommonFilesDir") of
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion in the registry store, "" when
// missing. Folders that have no meaning on this system (1, 7, 8, 9, 11 to 14, 17, 18) give "".
// Any other index gives "".
QString specialFolder(int index);

// Creates the folder and its missing parents with the given mode for the folders it creates
// (0700 for private folders). A private folder of ours found open to others is narrowed to
// 0700. Returns whether the folder exists afterwards.
bool makeFolder(const QString& path, bool privateMode = false);

// The user's runtime folder ($XDG_RUNTIME_DIR, else a private folder under the temporary
// folder), for sockets and lock files. Ends with "/".
QString runtimeFolder();

}  // namespace ov::platform

#pragma once
// Registration of a URL scheme ("scheme://...") so that a link of that scheme starts a program:
// the classes keys in the registry store, which the system's own programs read, and a desktop
// entry registered as the desktop's default handler of "x-scheme-handler/<scheme>", which
// browsers on this system follow.

#include <QString>

namespace ov::platform {

struct UrlSchemeResult {
    bool registryKeys = false;    // every registry value was written
    bool desktopEntry = false;    // the desktop entry was written
    bool defaultHandler = false;  // the entry is the default handler of the scheme
};

// Under HKEY_CLASSES_ROOT: key `scheme` with default value `description` and the empty value
// "URL Protocol"; "scheme\DefaultIcon" = program + ",1"; "scheme\shell" and
// "scheme\shell\open" with empty defaults; "scheme\shell\open\command" = the program and "%1",
// each in double quotes. Values go only into keys that could be created.
// Then the desktop entry schemeDesktopId(scheme) in $XDG_DATA_HOME/applications starting the
// program with the URL, made the default handler with xdg-mime, or, where xdg-mime is missing
// or fails, by writing the user's mimeapps.list.
UrlSchemeResult registerUrlScheme(const QString& scheme, const QString& description,
                                  const QString& programPath);

// "<scheme in lower case>.desktop".
QString schemeDesktopId(const QString& scheme);

// Sets "mimeType=desktopId" in the [Default Applications] group of $XDG_CONFIG_HOME/
// mimeapps.list (and adds it to [Added Associations]), keeping every other line.
bool writeDefaultHandler(const QString& mimeType, const QString& desktopId);

}  // namespace ov::platform

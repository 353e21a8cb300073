#pragma once
// Desktop shortcuts to a program: a launcher (".desktop" file) in a special folder or a
// given folder.

#include <QString>

namespace ov {

// Creates a shortcut named `name` (the file name of `path` without its extension when empty)
// that starts `path` in its own folder. With `folder` empty and `specialFolder` -1 it goes on
// the desktop; with `specialFolder` 0 or more into that special folder; otherwise into
// `folder`, which must exist. The file is the folder + name + ".desktop". False when `path` does
// not exist, the folder is missing, or the file cannot be written.
bool CreateShortcut(const QString& path, const QString& name, const QString& folder,
                    int specialFolder);

}  // namespace ov

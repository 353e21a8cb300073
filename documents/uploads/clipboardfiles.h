#pragma once
// The files a file manager copied: the local paths in the clipboard's "text/uri-list", or in
// "x-special/gnome-copied-files" ("copy" or "cut", then one URI a line) when that is all it
// offers. Only local files are taken; at most MaxFiles, each path at most 4096 bytes long.

#include <QStringList>

class QClipboard;
class QMimeData;

namespace ov {

constexpr int MaxClipboardFiles = 10000;

QStringList ClipboardFilesOf(const QMimeData* data);

// The files on the clipboard; the clipboard is cleared only when it held a file list, so text
// or pictures the user copied stay.
QStringList TakeClipboardFiles(QClipboard* clipboard);

}  // namespace ov

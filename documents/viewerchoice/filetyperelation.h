#pragma once
// "FileTypeRelation.txt" in the per-user settings folder: the viewer the user chose to always
// open an extension with, one tagged value per extension ("[dwg]3[/dwg]" and CR LF). Entries
// are only appended; reading takes the first one of an extension.

#include <QList>
#include <QString>
#include <optional>

namespace ov {

inline constexpr char16_t kFileTypeRelationFile[] = u"FileTypeRelation.txt";

// The file's whole text; "" when it is missing. nullopt when it exists but cannot be read, so
// that nothing overwrites it.
std::optional<QString> ReadFileTypeRelation(const QString& clientPath);

// The remembered viewer style of the extension (1 to 4); 0 when there is none.
int RememberedViewerStyle(const QString& relationText, const QString& ext);

// Every remembered style of the extension (1 to 4), in the order of the file's entries; the
// caller takes the first one it can use, so a later entry stands in for one that no longer
// fits.
QList<int> RememberedViewerStyles(const QString& relationText, const QString& ext);

// Whether the extension text can stand as a tag name without breaking the file's other entries.
bool CanRememberExtension(const QString& ext);

// Appends "[ext]style[/ext]" CR LF to the text read before and writes the whole file (UTF-16LE
// with byte-order mark). Returns whether it was written; the extension must pass
// CanRememberExtension.
bool AppendFileTypeRelation(const QString& clientPath, const QString& relationText,
                            const QString& ext, int style);

}  // namespace ov

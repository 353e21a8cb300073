#pragma once
// Tagged text: values written as "[Tag]value[/Tag]", the form nearly every file, request and
// reply of the system is built on. There is no nesting and no escaping: a value that contains
// its own closing tag ends there. Tag names are matched ignoring the case of the letters a to z
// only; everything else is compared exactly.

#include <QString>

namespace ov {

// The value between the first "[tag]" and the first "[/tag]" after it, in its own letter case;
// "" when either is missing. With doTrim, leading and trailing characters up to blank (codes
// 0 to 32) are removed.
QString ReadTagValue(const QString& text, const QString& tag, bool doTrim = true);

// Replaces the first "[key]...[/key]" pair of the text in place (the tags take the letter case
// of `key`), or appends "[key]value[/key]" and CR LF when there is no such pair. The value is
// written as given.
void WriteTagValue(const QString& key, const QString& value, QString& text);

// The text without leading and trailing characters up to blank (codes 0 to 32).
QString TrimBlanks(const QString& text);

// 1-based position of subText in text, searching from the 1-based offset (offsets below 1
// search from the start); 0 when either text is empty or nothing is found. Case is respected.
qsizetype PosFrom(const QString& subText, const QString& text, qsizetype offset);

// Every occurrence of oldPattern replaced with newPattern, ignoring the letter case of a to z.
// An empty oldPattern leaves the text as it is.
QString ReplaceAllText(const QString& text, const QString& oldPattern, const QString& newPattern);

}  // namespace ov

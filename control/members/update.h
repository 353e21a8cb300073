#pragma once
// The rules of the updates: versions of four dot-separated numbers compared as numbers, and
// programs replaced only by a complete executable of this platform.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace ov::control {

// "a.b.c.d" with four non-negative decimal numbers; nullopt for anything else.
std::optional<std::array<int, 4>> ParseVersion(const QString& text);

// True when `server` is a version and higher than `local` (or `local` is none: no program
// installed, or one without a version).
bool IsHigherVersion(const QString& server, const QString& local);

// A complete 64-bit little-endian ELF program (its program and section tables inside the
// bytes).
bool IsElfProgram(const QByteArray& bytes);

// Writes the program beside the target and renames it over the target (mode 0755); false,
// with the target untouched, for bytes that are not a complete program or on any error.
bool ReplaceProgram(const QString& target, const QByteArray& bytes);

}  // namespace ov::control

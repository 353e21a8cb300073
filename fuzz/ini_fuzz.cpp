// The INI layer's reader ("checkout_record.ini", "workpath_record.ini" as found on disk): any
// bytes parse; what is written reads back as it was written, and a written file is stable
// under another read and write. The last input bytes, when present, choose a section, a key and
// a value to write into what was read.

#include "fuzzsupport.h"

#include "platform/inifile.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>

using ov::platform::IniFile;

namespace {

void Fail(int line) {
    std::fprintf(stderr, "ini_fuzz: the check on line %d failed\n", line);
    std::abort();
}

#define Check(condition) ((condition) ? void() : Fail(__LINE__))

// A file written once is written the same way again after reading it back.
void StableRoundTrip(const IniFile& ini) {
    const QByteArray once = ini.toBytes();
    const IniFile again = IniFile::fromBytes(once);
    Check(again.toBytes() == once);
    // Names keep their text, but for what UTF-8 cannot hold (lone surrogates of a UTF-16 file).
    const QStringList names = ini.sections();
    const QStringList reread = again.sections();
    Check(reread.size() == names.size());
    for (qsizetype i = 0; i < names.size(); ++i) Check(reread[i].toUtf8() == names[i].toUtf8());
}

// The input's tail, split at NUL bytes: section, key and value of a change.
void WriteAndReadBack(IniFile ini, const QByteArray& tail) {
    const QList<QByteArray> parts = tail.split('\0');
    if (parts.size() < 3) return;
    const QString section = QString::fromUtf8(parts[0]);
    const QString key = QString::fromUtf8(parts[1]);
    const QString value = QString::fromUtf8(parts[2]);
    if (!ini.writeString(section, key, value)) return;
    Check(ini.readString(section, key) == value.trimmed());
    const IniFile reread = IniFile::fromBytes(ini.toBytes());
    Check(reread.readString(section, key) == value.trimmed());
    Check(reread.hasSection(section));
    Check(ini.eraseSection(section) && !ini.hasSection(section));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = ov::fuzz::Bytes(data, size);
    // The change rides after the last "\n#change\n" marker; the file is what stands before it.
    const qsizetype mark = bytes.lastIndexOf("\n#change\n");
    const QByteArray file = mark < 0 ? bytes : bytes.left(mark);
    const IniFile ini = IniFile::fromBytes(file);
    for (const QString& section : ini.sections()) ini.readString(section, section);
    StableRoundTrip(ini);
    if (mark >= 0) WriteAndReadBack(ini, bytes.mid(mark + 9));
    return 0;
}

#pragma once
// The small INI files of the system ("checkout_record.ini", "workpath_record.ini"): sections of
// "key=value" lines. Section and key names are matched without regard to letter case (a name
// keeps the spelling it was first written with); values are trimmed on reading. Files are read
// as UTF-8 (a UTF-16LE byte-order mark is honoured) and written as UTF-8, always through an
// atomic replace, so that a crash while writing leaves the old file whole. Lines that are no
// section and no key (comments, blank lines) are kept as they stand.
//
// Files are bounded (MaxIniFileSize) and read only when they are regular files; a symbolic
// link in their place is neither read nor written through (the replace puts a file there).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace ov::platform {

class IniFile {
public:
    static constexpr qint64 MaxIniFileSize = 16 * 1024 * 1024;

    IniFile() = default;

    // Any bytes parse: what is not a section or a key is kept as a plain line.
    static IniFile fromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;

    // A missing file reads as empty (ok true); a file that is not regular, larger than
    // MaxIniFileSize or unreadable reads as empty with ok false.
    static IniFile load(const QString& fileName, bool* ok = nullptr);
    // Replaces the file atomically; false (and `error`) when it could not be written.
    bool save(const QString& fileName, QString* error = nullptr) const;

    // The trimmed value of the first key of that name in the first section of that name (names
    // are trimmed, as writeString trims them).
    QString readString(const QString& section, const QString& key,
                       const QString& def = QString()) const;
    // Replaces the key's value or appends the key (and the section). False, and nothing
    // changed, for names that cannot stand in a file ("[", "]", "=" or a line break in a name,
    // an empty key, a line break or NUL in the value).
    bool writeString(const QString& section, const QString& key, const QString& value);
    // Removes every section of that name; whether one was there.
    bool eraseSection(const QString& section);
    bool hasSection(const QString& section) const;
    QStringList sections() const;

private:
    struct Line {
        bool isEntry = false;
        QString key;    // trimmed
        QString value;  // trimmed
        QString raw;    // plain lines
    };
    struct Section {
        QString name;  // the lines before the first section have none
        bool headed = false;
        std::vector<Line> lines;
    };
    Section* find(const QString& section);
    const Section* find(const QString& section) const;
    void parseLine(const QString& line);

    std::vector<Section> m_sections;
};

// One read or change of a file, as the profile functions of other systems do it. The changes
// run under a lock file beside the file (its name + ".lock"), so that two processes changing
// the same file do not lose each other's change.
QString iniReadString(const QString& fileName, const QString& section, const QString& key,
                      const QString& def = QString());
bool iniWriteString(const QString& fileName, const QString& section, const QString& key,
                    const QString& value, QString* error = nullptr);
bool iniEraseSection(const QString& fileName, const QString& section, QString* error = nullptr);

}  // namespace ov::platform

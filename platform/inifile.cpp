#include "platform/inifile.h"

#include "platform/atomicfile.h"
#include "platform/filelock.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace ov::platform {

namespace {

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

// One byte-order mark is taken off; a U+FEFF after it is text.
QString decode(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringDecoder::Flag::ConvertInitialBom);
        return utf16(bytes.sliced(2));
    }
    if (bytes.startsWith(Utf8Bom)) bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

bool usableName(const QString& name) {
    return !hasLineBreak(name) && !name.contains(u'[') && !name.contains(u']') &&
           !name.contains(u'=');
}

}  // namespace

void IniFile::parseLine(const QString& line) {
    const QString text = line.trimmed();
    if (text.startsWith(u'[') && text.indexOf(u']') > 0) {
        m_sections.push_back({text.mid(1, text.indexOf(u']') - 1).trimmed(), true, {}});
        return;
    }
    if (m_sections.empty()) m_sections.push_back({});
    const qsizetype eq = text.indexOf(u'=');
    Line entry;
    if (eq > 0) {
        entry.isEntry = true;
        entry.key = text.left(eq).trimmed();
        entry.value = text.mid(eq + 1).trimmed();
    } else {
        entry.raw = line;
    }
    m_sections.back().lines.push_back(std::move(entry));
}

IniFile IniFile::fromBytes(QByteArrayView bytes) {
    IniFile ini;
    const QString text = decode(bytes);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        if (i == lines.size() - 1 && line.isEmpty()) break;  // after the last line break
        ini.parseLine(line);
    }
    return ini;
}

QByteArray IniFile::toBytes() const {
    QString text;
    for (const Section& section : m_sections) {
        if (section.headed) text += u'[' + section.name + QStringLiteral("]\r\n");
        for (const Line& line : section.lines)
            text +=
                (line.isEntry ? line.key + u'=' + line.value : line.raw) + QStringLiteral("\r\n");
    }
    // Text that begins with U+FEFF gets a byte-order mark of its own, or a reader would take
    // the text's first character for one.
    if (text.startsWith(QChar(0xFEFF))) return Utf8Bom + text.toUtf8();
    return text.toUtf8();
}

IniFile IniFile::load(const QString& fileName, bool* ok) {
    if (ok) *ok = true;
    const QFileInfo info(fileName);
    if (!info.exists() && !info.isSymLink()) return {};
    QFile file(fileName);
    const bool regular = info.isFile() && !info.isSymLink();
    if (!regular || info.size() > MaxIniFileSize || !file.open(QIODevice::ReadOnly)) {
        if (ok) *ok = false;
        return {};
    }
    return fromBytes(file.read(MaxIniFileSize));
}

bool IniFile::save(const QString& fileName, QString* error) const {
    return writeFileAtomically(fileName, toBytes(), error);
}

IniFile::Section* IniFile::find(const QString& section) {
    for (Section& s : m_sections)
        if (s.headed && sameName(s.name, section)) return &s;
    return nullptr;
}

const IniFile::Section* IniFile::find(const QString& section) const {
    return const_cast<IniFile*>(this)->find(section);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const Section* s = find(section.trimmed());
    if (!s) return def;
    const QString k = key.trimmed();
    for (const Line& line : s->lines)
        if (line.isEntry && sameName(line.key, k)) return line.value;
    return def;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString name = section.trimmed();
    const QString k = key.trimmed();
    if (name.isEmpty() || k.isEmpty() || !usableName(name) || !usableName(k) || hasLineBreak(value))
        return false;
    Section* s = find(name);
    if (!s) {
        m_sections.push_back({name, true, {}});
        s = &m_sections.back();
    }
    for (Line& line : s->lines)
        if (line.isEntry && sameName(line.key, k)) {
            line.value = value.trimmed();
            return true;
        }
    s->lines.push_back({true, k, value.trimmed(), {}});
    return true;
}

bool IniFile::eraseSection(const QString& section) {
    const auto before = m_sections.size();
    std::erase_if(m_sections, [&](const Section& s) {
        return s.headed && sameName(s.name, section.trimmed());
    });
    return m_sections.size() != before;
}

bool IniFile::hasSection(const QString& section) const {
    return find(section.trimmed()) != nullptr;
}

QStringList IniFile::sections() const {
    QStringList names;
    for (const Section& s : m_sections)
        if (s.headed) names.append(s.name);
    return names;
}

QString iniReadString(const QString& fileName, const QString& section, const QString& key,
                      const QString& def) {
    return IniFile::load(fileName).readString(section, key, def);
}

namespace {

enum class ChangeResult { Changed, Unchanged, Refused };

// Reads, changes and replaces the file under its lock; a file that exists but cannot be read
// is never replaced, so its content is not lost.
template <typename Change>
bool changeFile(const QString& fileName, QString* error, Change&& change) {
    FileLock lock(fileName + QStringLiteral(".lock"));
    if (!lock.isLocked()) {
        if (error)
            *error = QStringLiteral("The file %1 is locked by another program.").arg(fileName);
        return false;
    }
    bool ok = false;
    IniFile ini = IniFile::load(fileName, &ok);
    if (!ok) {
        if (error) *error = QStringLiteral("The file %1 cannot be read.").arg(fileName);
        return false;
    }
    // The change says whether there is anything to write (false: nothing, and no error).
    const ChangeResult result = change(ini);
    if (result == ChangeResult::Refused) {
        if (error) *error = QStringLiteral("The value cannot be stored in %1.").arg(fileName);
        return false;
    }
    return result == ChangeResult::Unchanged || ini.save(fileName, error);
}

}  // namespace

bool iniWriteString(const QString& fileName, const QString& section, const QString& key,
                    const QString& value, QString* error) {
    return changeFile(fileName, error, [&](IniFile& ini) {
        return ini.writeString(section, key, value) ? ChangeResult::Changed : ChangeResult::Refused;
    });
}

bool iniEraseSection(const QString& fileName, const QString& section, QString* error) {
    return changeFile(fileName, error, [&](IniFile& ini) {
        return ini.eraseSection(section) ? ChangeResult::Changed : ChangeResult::Unchanged;
    });
}

}  // namespace ov::platform

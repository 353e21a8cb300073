#include "platform/hivefile.h"

#include <algorithm>
#include <optional>

namespace ov::platform {
namespace {

QString folded(const QString& name) {
    return name.toCaseFolded();
}

bool needsHexEscape(QChar c, const QString& text, qsizetype i) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    if (c.isHighSurrogate()) return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate()) return i == 0 || !text.at(i - 1).isHighSurrogate();
    return false;
}

QString quoted(const QString& text) {
    QString out = QStringLiteral("\"");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char('"')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\\r");
        } else if (c == QLatin1Char('\t')) {
            out += QStringLiteral("\\t");
        } else if (needsHexEscape(c, text, i)) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out + QLatin1Char('"');
}

// One escape sequence after a "\" at `pos`; advances `pos` past it.
std::optional<QChar> unescape(QStringView line, qsizetype& pos) {
    if (pos >= line.size()) return std::nullopt;
    const QChar c = line.at(pos++);
    switch (c.unicode()) {
        case 'n':
            return QLatin1Char('\n');
        case 'r':
            return QLatin1Char('\r');
        case 't':
            return QLatin1Char('\t');
        case '\\':
        case '"':
            return c;
        case 'u': {
            bool ok = false;
            const ushort code = line.mid(pos, 4).toUShort(&ok, 16);
            if (!ok || pos + 4 > line.size()) return std::nullopt;
            pos += 4;
            return QChar(code);
        }
        default:
            return std::nullopt;
    }
}

// The quoted text that starts at `pos` (on its opening quote); `pos` ends after the closing one.
std::optional<QString> readQuoted(QStringView line, qsizetype& pos) {
    if (pos >= line.size() || line.at(pos) != QLatin1Char('"')) return std::nullopt;
    QString out;
    for (++pos; pos < line.size();) {
        const QChar c = line.at(pos++);
        if (c == QLatin1Char('"')) return out;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        const auto escaped = unescape(line, pos);
        if (!escaped) return std::nullopt;
        out += *escaped;
    }
    return std::nullopt;
}

std::optional<RegData> readData(QStringView text) {
    if (text.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        auto value = readQuoted(text, pos);
        if (!value || pos != text.size()) return std::nullopt;
        return RegData(*value);
    }
    const QLatin1String prefix("dword:");
    if (!text.startsWith(prefix)) return std::nullopt;
    const QStringView hex = text.mid(prefix.size());
    bool ok = false;
    const quint32 number = hex.toUInt(&ok, 16);
    if (!ok || hex.size() != 8) return std::nullopt;
    return RegData(number);
}

// A value line: @=data or "name"=data.
bool readValueLine(QStringView line, RegKey& key) {
    qsizetype pos = 0;
    QString name;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else {
        auto quotedName = readQuoted(line, pos);
        if (!quotedName) return false;
        name = *quotedName;
    }
    if (pos >= line.size() || line.at(pos) != QLatin1Char('=')) return false;
    const auto data = readData(line.mid(pos + 1));
    if (!data) return false;
    key.setValue(name, *data);
    return true;
}

void writeKey(const RegKey& key, const QString& path, QString& out) {
    out += QLatin1Char('[') + path + QStringLiteral("]\n");
    for (const auto& [folded, value] : key.values()) {
        out += value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name);
        out += QLatin1Char('=');
        if (const auto* text = std::get_if<QString>(&value.data))
            out += quoted(*text);
        else
            out += QStringLiteral("dword:%1")
                       .arg(std::get<quint32>(value.data), 8, 16, QLatin1Char('0'));
        out += QLatin1Char('\n');
    }
    for (const auto& [folded, sub] : key.subKeys()) {
        const QString subPath =
            path.isEmpty() ? sub->name() : path + QLatin1Char('\\') + sub->name();
        writeKey(*sub, subPath, out);
    }
}

}  // namespace

const RegKey* RegKey::find(const QStringList& path) const {
    const RegKey* key = this;
    for (const QString& part : path) {
        const auto it = key->m_subKeys.find(folded(part));
        if (it == key->m_subKeys.end()) return nullptr;
        key = it->second.get();
    }
    return key;
}

RegKey* RegKey::find(const QStringList& path) {
    return const_cast<RegKey*>(std::as_const(*this).find(path));
}

RegKey& RegKey::create(const QStringList& path) {
    RegKey* key = this;
    for (const QString& part : path) {
        auto& slot = key->m_subKeys[folded(part)];
        if (!slot) slot = std::make_unique<RegKey>(part);
        key = slot.get();
    }
    return *key;
}

bool RegKey::removeSubKey(const QString& name) {
    return m_subKeys.erase(folded(name)) > 0;
}

const RegValue* RegKey::value(const QString& name) const {
    const auto it = m_values.find(folded(name));
    return it == m_values.end() ? nullptr : &it->second;
}

void RegKey::setValue(const QString& name, const RegData& data) {
    // A value keeps the letter case of its first writer, as a key does.
    auto [it, inserted] = m_values.try_emplace(folded(name), RegValue{name, data});
    if (!inserted) it->second.data = data;
}

bool RegKey::removeValue(const QString& name) {
    return m_values.erase(folded(name)) > 0;
}

QStringList RegKey::subKeyNames() const {
    QStringList names;
    for (const auto& [folded, sub] : m_subKeys)
        names << sub->name();
    return names;
}

QStringList RegKey::valueNames() const {
    QStringList names;
    for (const auto& [folded, value] : m_values)
        names << value.name;
    return names;
}

QStringList splitKeyPath(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool isValidKeyName(const QString& name) {
    if (name.isEmpty() || !QStringView(name).isValidUtf16()) return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\')) return false;
    }
    return true;
}

std::unique_ptr<RegKey> parseHive(const QByteArray& text) {
    auto root = std::make_unique<RegKey>();
    RegKey* current = nullptr;  // values before the first key line have no key
    for (const QByteArray& rawLine : text.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            QStringList path = splitKeyPath(line.mid(1, line.size() - 2));
            const bool valid = std::all_of(path.cbegin(), path.cend(), isValidKeyName);
            current = valid ? &root->create(path) : nullptr;
        } else if (current) {
            readValueLine(line, *current);
        }
    }
    return root;
}

QByteArray serializeHive(const RegKey& root, const QString& hiveName) {
    QString out = QStringLiteral("; Ov registry hive ") + hiveName + QLatin1Char('\n');
    if (!root.values().empty()) writeKey(root, {}, out);
    for (const auto& [folded, sub] : root.subKeys()) {
        writeKey(*sub, sub->name(), out);
    }
    return out.toUtf8();
}

}  // namespace ov::platform

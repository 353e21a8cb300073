#pragma once
// The content of one registry hive in memory, and its text form on disk:
//
//   ; Ov registry hive HKEY_CURRENT_USER
//   [Software\Ov\Client]
//   @="default value"
//   "Name"="text with \"quotes\", \\ and \n escaped"
//   "Port"=dword:00001f98
//
// Every key has its own "[path]" line, followed by its values. Names and texts in double quotes
// escape "\", the double quote, control characters and lone surrogates, so any text survives.
// Lines that cannot be read are skipped.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <variant>

namespace ov::platform {

using RegData = std::variant<QString, quint32>;

struct RegValue {
    QString name;  // as written first; looked up without regard to case
    RegData data;
};

class RegKey {
public:
    explicit RegKey(QString name = {}) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }
    // The key at the path below this one, or nullptr.
    const RegKey* find(const QStringList& path) const;
    RegKey* find(const QStringList& path);
    // The key at the path, created with its missing parents.
    RegKey& create(const QStringList& path);
    // Removes the direct sub-key; returns whether it was there.
    bool removeSubKey(const QString& name);

    const RegValue* value(const QString& name) const;
    void setValue(const QString& name, const RegData& data);
    bool removeValue(const QString& name);

    QStringList subKeyNames() const;
    QStringList valueNames() const;

    const std::map<QString, std::unique_ptr<RegKey>>& subKeys() const { return m_subKeys; }
    const std::map<QString, RegValue>& values() const { return m_values; }

private:
    QString m_name;
    std::map<QString, std::unique_ptr<RegKey>> m_subKeys;  // by case-folded name
    std::map<QString, RegValue> m_values;                  // by case-folded name
};

// The parts of a key path ("\" separators; empty parts, such as a leading "\", are left out).
QStringList splitKeyPath(const QString& path);
// Whether a key name can be stored: not empty, valid UTF-16, no control character.
bool isValidKeyName(const QString& name);

// Reads the text form (UTF-8). Never fails: unreadable lines are left out.
std::unique_ptr<RegKey> parseHive(const QByteArray& text);
QByteArray serializeHive(const RegKey& root, const QString& hiveName);

}  // namespace ov::platform

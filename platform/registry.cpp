#include "platform/registry.h"

#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <functional>
#include <memory>

#include "platform/atomicfile.h"
#include "platform/regularfile.h"
#include "platform/filelock.h"
#include "platform/folders.h"
#include "platform/hivefile.h"

namespace ov::platform {
namespace {

// A hive file larger than this is not ours; it is neither read nor overwritten.
constexpr qint64 kMaxHiveSize = 16 * 1024 * 1024;

QString hiveName(Hive hive) {
    switch (hive) {
        case Hive::CurrentUser:
            return QStringLiteral("HKEY_CURRENT_USER");
        case Hive::LocalMachine:
            return QStringLiteral("HKEY_LOCAL_MACHINE");
        case Hive::ClassesRoot:
            return QStringLiteral("HKEY_CLASSES_ROOT");
    }
    return {};
}

QString hiveFile(Hive hive) {
    return Registry::storeFolder() + hiveName(hive) + QStringLiteral(".txt");
}

// The hive's content: empty when the file is missing, nullptr when it cannot be read.
std::unique_ptr<RegKey> loadHive(Hive hive) {
    const FileRead read = readRegularFile(hiveFile(hive), kMaxHiveSize);
    if (read.status == FileReadStatus::Missing) return std::make_unique<RegKey>();
    if (read.status != FileReadStatus::Ok || read.size > kMaxHiveSize) return nullptr;
    return parseHive(read.bytes);
}

const RegValue* findValue(const RegKey* root, const QString& key, const QString& name) {
    const RegKey* found = root ? root->find(splitKeyPath(key)) : nullptr;
    return found ? found->value(name) : nullptr;
}

// The path's parts when every one of them can be stored.
std::optional<QStringList> writablePath(const QString& key) {
    const QStringList path = splitKeyPath(key);
    if (!std::all_of(path.cbegin(), path.cend(), isValidKeyName)) return std::nullopt;
    return path;
}

enum class Edit { Failed, Unchanged, Changed };

// Applies one change under the hive's lock to the hive as it is on disk now, and writes it back.
bool changeHive(Hive hive, const std::function<Edit(RegKey&)>& edit) {
    if (!makeFolder(Registry::storeFolder(), true)) return false;
    const QString file = hiveFile(hive);
    const FileLock lock(Registry::storeFolder() + hiveName(hive) + QStringLiteral(".lock"));
    if (!lock.isLocked()) return false;
    const auto root = loadHive(hive);
    if (!root) return false;
    switch (edit(*root)) {
        case Edit::Failed:
            return false;
        case Edit::Unchanged:
            return true;
        case Edit::Changed:
            break;
    }
    return writeFileAtomically(file, serializeHive(*root, hiveName(hive)));
}

bool writeValue(Hive hive, const QString& key, const QString& name, const RegData& data) {
    const auto path = writablePath(key);
    if (!path) return false;
    return changeHive(hive, [&](RegKey& root) {
        root.create(*path).setValue(name, data);
        return Edit::Changed;
    });
}

}  // namespace

std::optional<QString> Registry::readString(Hive hive, const QString& key, const QString& name) {
    const auto root = loadHive(hive);
    const RegValue* value = findValue(root.get(), key, name);
    if (!value) return std::nullopt;
    if (const auto* text = std::get_if<QString>(&value->data)) return *text;
    return QString::number(std::get<quint32>(value->data));
}

std::optional<quint32> Registry::readDword(Hive hive, const QString& key, const QString& name) {
    const auto root = loadHive(hive);
    const RegValue* value = findValue(root.get(), key, name);
    if (!value || !std::holds_alternative<quint32>(value->data)) return std::nullopt;
    return std::get<quint32>(value->data);
}

bool Registry::keyExists(Hive hive, const QString& key) {
    const auto root = loadHive(hive);
    return root && root->find(splitKeyPath(key));
}

bool Registry::valueExists(Hive hive, const QString& key, const QString& name) {
    const auto root = loadHive(hive);
    return findValue(root.get(), key, name) != nullptr;
}

QStringList Registry::subKeyNames(Hive hive, const QString& key) {
    const auto root = loadHive(hive);
    const RegKey* found = root ? root->find(splitKeyPath(key)) : nullptr;
    return found ? found->subKeyNames() : QStringList();
}

QStringList Registry::valueNames(Hive hive, const QString& key) {
    const auto root = loadHive(hive);
    const RegKey* found = root ? root->find(splitKeyPath(key)) : nullptr;
    return found ? found->valueNames() : QStringList();
}

bool Registry::writeString(Hive hive, const QString& key, const QString& name,
                           const QString& value) {
    return writeValue(hive, key, name, RegData(value));
}

bool Registry::writeDword(Hive hive, const QString& key, const QString& name, quint32 value) {
    return writeValue(hive, key, name, RegData(value));
}

bool Registry::createKey(Hive hive, const QString& key) {
    const auto path = writablePath(key);
    if (!path) return false;
    return changeHive(hive, [&](RegKey& root) {
        if (root.find(*path)) return Edit::Unchanged;
        root.create(*path);
        return Edit::Changed;
    });
}

bool Registry::deleteValue(Hive hive, const QString& key, const QString& name) {
    const QStringList path = splitKeyPath(key);
    return changeHive(hive, [&](RegKey& root) {
        RegKey* found = root.find(path);
        return found && found->removeValue(name) ? Edit::Changed : Edit::Unchanged;
    });
}

bool Registry::deleteKey(Hive hive, const QString& key) {
    QStringList path = splitKeyPath(key);
    if (path.isEmpty()) return false;  // the hive itself cannot be deleted
    const QString last = path.takeLast();
    return changeHive(hive, [&](RegKey& root) {
        RegKey* parent = root.find(path);
        return parent && parent->removeSubKey(last) ? Edit::Changed : Edit::Unchanged;
    });
}

QString Registry::storeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Ov/registry/");
}

}  // namespace ov::platform

#pragma once
// A small registry of our own: the hives HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and
// HKEY_CLASSES_ROOT, each kept in one text file under $XDG_CONFIG_HOME/Ov/registry/.
// Key paths use "\" as separator (a leading "\" is optional) and are case-insensitive but
// case-preserving; value names likewise. The empty value name is the key's default value.
// Every change rewrites the hive file atomically under a lock file, re-reading it first, so two
// processes that write different values at once lose neither.

#include <QString>
#include <QStringList>
#include <optional>

namespace ov::platform {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };

class Registry {
public:
    // Reading. A missing key or value gives std::nullopt. A DWORD value read as a string
    // gives its decimal text; a string read as a DWORD gives nullopt.
    static std::optional<QString> readString(Hive hive, const QString& key,
                                             const QString& name = {});
    static std::optional<quint32> readDword(Hive hive, const QString& key,
                                            const QString& name = {});
    static bool keyExists(Hive hive, const QString& key);
    static bool valueExists(Hive hive, const QString& key, const QString& name = {});
    static QStringList subKeyNames(Hive hive, const QString& key);
    static QStringList valueNames(Hive hive, const QString& key);

    // Writing creates missing keys. Each returns false when the hive file cannot be written.
    static bool writeString(Hive hive, const QString& key, const QString& name,
                            const QString& value);
    static bool writeDword(Hive hive, const QString& key, const QString& name, quint32 value);
    // Key names must be valid text without control characters (else false).
    static bool createKey(Hive hive, const QString& key);
    // Deleting what is not there succeeds and leaves the hive file alone.
    static bool deleteValue(Hive hive, const QString& key, const QString& name);
    // Deletes the key with all its sub-keys and values. The hive itself (an empty path) cannot
    // be deleted (false).
    static bool deleteKey(Hive hive, const QString& key);

    // The folder that holds the hive files ($XDG_CONFIG_HOME/Ov/registry/): one text file per
    // hive ("HKEY_CURRENT_USER.txt" ...) and its lock file beside it. A hive file larger than
    // 16 MiB is neither read nor overwritten.
    static QString storeFolder();
};

}  // namespace ov::platform

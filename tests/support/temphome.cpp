#include "support/temphome.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdlib>

namespace ov::test {

TempHome::TempHome() {
    const QString root = path();
    set("HOME", root);
    set("XDG_CONFIG_HOME", root + QStringLiteral(".config"));
    set("XDG_DATA_HOME", root + QStringLiteral(".local/share"));
    set("XDG_CACHE_HOME", root + QStringLiteral(".cache"));
    set("XDG_RUNTIME_DIR", root + QStringLiteral("run"));
    set("XDG_DOCUMENTS_DIR", root + QStringLiteral("Documents"));
    set("XDG_DESKTOP_DIR", root + QStringLiteral("Desktop"));
    for (const char* sub : {".config", ".local/share", ".cache", "run", "Documents", "Desktop"})
        QDir().mkpath(root + QString::fromLatin1(sub));
    QFile::setPermissions(root + QStringLiteral("run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStandardPaths::setTestModeEnabled(false);
}

TempHome::~TempHome() {
    for (const auto& [name, value] : m_saved) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}

QString TempHome::path() const {
    return m_dir.path() + QLatin1Char('/');
}

QString TempHome::file(const QString& relative) const {
    return path() + relative;
}

void TempHome::set(const char* name, const QString& value) {
    if (!m_saved.count(name)) {
        m_saved[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                        : std::nullopt;
    }
    qputenv(name, value.toLocal8Bit());
}

}  // namespace ov::test

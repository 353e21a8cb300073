#pragma once
// Gives a test a private HOME with its own XDG folders, so that nothing a test writes touches
// the real user's files. The variables are restored when the object goes away.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <optional>

namespace ov::test {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    // The root of the private home; ends with "/".
    QString path() const;
    // A file or folder below the root.
    QString file(const QString& relative) const;

private:
    void set(const char* name, const QString& value);

    QTemporaryDir m_dir;
    std::map<QByteArray, std::optional<QByteArray>> m_saved;
};

}  // namespace ov::test

#pragma once
// The private folder of one office job: made under a root (the system's temporary folder by
// default) with mode 0700, removed with everything in it when the object goes away.

#include <QString>
#include <QTemporaryDir>
#include <string_view>

namespace ov::platform {

class OfficeWorkFolder {
public:
    explicit OfficeWorkFolder(const QString& root);

    bool isValid() const { return m_dir.isValid(); }
    // The folder, ending with "/".
    QString path() const { return m_dir.path() + u'/'; }
    // The user-installation URL of the office that this job runs.
    QString profileUrl() const;
    // Writes the office script `name` into the folder, with the module of what every office
    // script shares beside it; false when either cannot be written.
    bool writeScript(const QString& name, std::string_view text) const;

private:
    QTemporaryDir m_dir;
};

}  // namespace ov::platform

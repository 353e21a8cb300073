// Volumes: the mount points of real file systems stand in for drive letters.

#include <sys/statvfs.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "core/fileoperator.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct Mount {
    QString source;
    QString folder;  // ends with "/"
    QString type;
};

// The mount table escapes blanks, tabs, newlines and backslashes as three octal digits.
QString unescapeMountField(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        bool ok = false;
        const int code =
            i + 3 < field.size() && field.at(i) == '\\' ? field.mid(i + 1, 3).toInt(&ok, 8) : 0;
        if (ok) {
            out.append(char(code));
            i += 3;
        } else {
            out.append(field.at(i));
        }
    }
    return QFile::decodeName(out);
}

QList<Mount> readMounts() {
    QFile file(QStringLiteral("/proc/self/mounts"));
    QList<Mount> mounts;
    if (!file.open(QIODevice::ReadOnly)) return mounts;
    // Files below /proc report no size, so the table is read to its end in one go.
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3) continue;
        QString folder = unescapeMountField(fields.at(1));
        if (!folder.endsWith(u'/')) folder += u'/';
        mounts.append(
            {unescapeMountField(fields.at(0)), folder, QString::fromLatin1(fields.at(2))});
    }
    return mounts;
}

// Kernel and virtual file systems that hold no user files.
bool isPseudo(const Mount& mount) {
    static const QStringList pseudoTypes = {
        u"proc"_s,        u"sysfs"_s,      u"devtmpfs"_s,    u"devpts"_s,         u"cgroup"_s,
        u"cgroup2"_s,     u"securityfs"_s, u"debugfs"_s,     u"tracefs"_s,        u"mqueue"_s,
        u"pstore"_s,      u"bpf"_s,        u"configfs"_s,    u"fusectl"_s,        u"hugetlbfs"_s,
        u"binfmt_misc"_s, u"autofs"_s,     u"efivarfs"_s,    u"rpc_pipefs"_s,     u"nsfs"_s,
        u"selinuxfs"_s,   u"squashfs"_s,   u"fuse.portal"_s, u"fuse.gvfsd-fuse"_s};
    static const QStringList systemTrees = {u"/proc/"_s, u"/sys/"_s, u"/dev/"_s};
    if (pseudoTypes.contains(mount.type)) return true;
    return std::any_of(systemTrees.begin(), systemTrees.end(),
                       [&](const QString& tree) { return mount.folder.startsWith(tree); });
}

// A block device counts as fixed unless the kernel marks it (or the disk it is a partition
// of) removable.
bool isFixed(const Mount& mount) {
    if (!mount.source.startsWith(u"/dev/"_s)) return false;
    const QString name = QFileInfo(mount.source).canonicalFilePath().section(u'/', -1);
    const QString block = u"/sys/class/block/"_s + name;
    for (const QString& flag : {block + u"/removable"_s, block + u"/../removable"_s}) {
        QFile file(flag);
        if (file.open(QIODevice::ReadOnly)) return file.read(1) != "1";
    }
    return true;
}

template <class Keep>
QStringList mountFolders(Keep keep) {
    QStringList folders;
    for (const Mount& mount : readMounts()) {
        if (!isPseudo(mount) && keep(mount) && !folders.contains(mount.folder))
            folders.append(mount.folder);
    }
    std::sort(folders.begin(), folders.end());  // "/" sorts first
    return folders;
}

}  // namespace

QStringList TFileOperator::GetDrives() const {
    return mountFolders([](const Mount&) { return true; });
}

QStringList TFileOperator::GetDrives_Fixed() const {
    return mountFolders(isFixed);
}

bool TFileOperator::GetVolumeInformation(const QString& driveNumber) const {
    if (driveNumber.isEmpty()) return false;
    struct statvfs info {};
    return ::statvfs(QFile::encodeName(driveNumber).constData(), &info) == 0;
}

}  // namespace ov

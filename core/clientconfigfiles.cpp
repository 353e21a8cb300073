// The settings of TClientConfigX that name folders, and the three settings kept in "zvq.dsc".
#include <QFileInfo>
#include <mutex>

#include "core/clientconfig.h"
#include "core/paths.h"
#include "core/tagtext.h"
#include "core/textfile.h"

namespace ov {
namespace {

// Serialises the read-change-write of "zvq.dsc" between the objects of this process.
std::mutex g_dscLock;

QString withTrailingSlash(QString folder) {
    folder.replace(u'\\', u'/');
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

}  // namespace

QString TClientConfigX::MsgRoot() const {
    const QString value = ReadString(QStringLiteral("MsgRoot"));
    const QString folder =
        value.isEmpty() ? m_configPath + QStringLiteral("msg/") : withTrailingSlash(value);
    ForceFolder(folder, /*isFolder=*/true);
    return folder;
}

void TClientConfigX::SetMsgRoot(const QString& value) {
    WriteString(QStringLiteral("MsgRoot"), value);
}

QString TClientConfigX::WorkRoot() const {
    return ReadFolder(QStringLiteral("WorkRoot"), QStringLiteral("work/"));
}

void TClientConfigX::SetWorkRoot(const QString& value) {
    WriteString(QStringLiteral("WorkRoot"), value);
    if (!value.isEmpty()) ForceFolder(value, /*isFolder=*/true);
}

QString TClientConfigX::LastCheckoutPath() const {
    return ReadFolder(QStringLiteral("LastCheckoutPath"), QString());
}

void TClientConfigX::SetLastCheckoutPath(const QString& value) {
    WriteString(QStringLiteral("LastCheckoutPath"), value);
}

QString TClientConfigX::DownloadRoot() const {
    const QString value = ReadString(QStringLiteral("DownloadRoot"));
    if (value.isEmpty() || !QFileInfo(value).isDir()) return GetPersonalPath();
    return value;
}

void TClientConfigX::SetDownloadRoot(const QString& value) {
    WriteString(QStringLiteral("DownloadRoot"), value);
    if (!value.isEmpty()) ForceFolder(value, /*isFolder=*/true);
}

QString TClientConfigX::dscFileName() const {
    return m_configPath + QStringLiteral("zvq.dsc");
}

QString TClientConfigX::readDscValue(const QString& key) const {
    std::lock_guard lock(g_dscLock);
    return ReadTagValue(ReadTextFile(dscFileName()), key, true);
}

void TClientConfigX::writeDscValue(const QString& key, const QString& value) {
    std::lock_guard lock(g_dscLock);
    // A pipe or device in the file's place holds no values; it is replaced by the file.
    const QFileInfo info(dscFileName());
    QString text = !info.exists() || info.isFile() ? ReadTextFile(dscFileName()) : QString();
    WriteTagValue(key, value, text);
    SaveUnicodeText(dscFileName(), text);
}

bool TClientConfigX::DisplayEditGuide() const {
    return readDscValue(QStringLiteral("NotShowEditGuide")) != u"1";
}

void TClientConfigX::SetDisplayEditGuide(bool value) {
    writeDscValue(QStringLiteral("NotShowEditGuide"),
                  value ? QStringLiteral("0") : QStringLiteral("1"));
}

QString TClientConfigX::LastUploadPath() const {
    return readDscValue(QStringLiteral("LastUploadPath"));
}

void TClientConfigX::SetLastUploadPath(const QString& value) {
    writeDscValue(QStringLiteral("LastUploadPath"), value);
}

bool TClientConfigX::IsIncludeRoot() const {
    return readDscValue(QStringLiteral("IsIncludeRoot")) != u"0";
}

void TClientConfigX::SetIsIncludeRoot(bool value) {
    writeDscValue(QStringLiteral("IsIncludeRoot"),
                  value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace ov

#include "core/clientconfig.h"

#include <QFileInfo>
#include <exception>

#include "core/clientconfigrules.h"
#include "core/paths.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/textfile.h"

namespace ov {
namespace {

// The file's text; an error leaves it empty and, when a regular file is there, marks it
// unreadable. A pipe or device in its place holds no settings and is replaced on Save.
QString loadSettings(const QString& fileName, bool& unreadable) {
    try {
        return ReadTextFile(fileName);
    } catch (const std::exception&) {
        unreadable = QFileInfo(fileName).isFile();
        return {};
    }
}

}  // namespace

QString TClientConfigX::detached(const QString& text) {
    return QString(text.constData(), text.size());
}

TClientConfigX::TClientConfigX()
    : m_configPath(GetUserDataPath()), FConfigFileName(m_configPath + QStringLiteral("zvq.sys")) {
    FConfigStr = loadSettings(FConfigFileName, m_unreadableFile);
}

bool TClientConfigX::Save() {
    const QString text = AllInfo();
    if (text.isEmpty()) return false;
    // Overwriting a file we could not read would throw away every setting it holds.
    if (m_unreadableFile && QFileInfo(FConfigFileName).isFile()) return false;
    try {
        ForceFolder(m_configPath, /*isFolder=*/true);
        SaveUnicodeText(FConfigFileName, text);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TClientConfigX::Clear() {
    SetStartStyle(SS_NONE);
    SetEncryptUserID(QString());
    SetUserId(0);
    SetUserName(QString());
    Save();
}

QString TClientConfigX::GetValueEx(const QString& name) const {
    return ReadString(name);
}

void TClientConfigX::SetValueEx(const QString& name, const QString& value) {
    WriteString(name, value);
}

QString TClientConfigX::ReadString(const QString& key) const {
    std::lock_guard lock(m_lock);
    return ReadTagValue(FConfigStr, key, true);
}

void TClientConfigX::WriteString(const QString& key, const QString& value) {
    std::lock_guard lock(m_lock);
    WriteTagValue(key, value, FConfigStr);
}

int TClientConfigX::ReadInteger(const QString& key) const {
    return TextToIntDef0(ReadString(key));
}

void TClientConfigX::WriteInteger(const QString& key, int value) {
    WriteString(key, QString::number(value));
}

bool TClientConfigX::ReadBool(const QString& key, bool def) const {
    return configrules::boolValue(ReadString(key), def);
}

void TClientConfigX::WriteBool(const QString& key, bool value) {
    WriteString(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString TClientConfigX::ReadFolder(const QString& key, const QString& subFolder) const {
    QString folder = ReadString(key);
    if (folder.isEmpty()) {
        folder = GetPersonalPath() + QStringLiteral("OV/") + subFolder;
    } else {
        folder.replace(u'\\', u'/');
        if (!folder.endsWith(u'/')) folder += u'/';
    }
    ForceFolder(folder, /*isFolder=*/true);
    return folder;
}

QString TClientConfigX::ServerUrl() const {
    QString host, port, ssl;
    {
        // One look at the text, so scheme, host and port belong together.
        std::lock_guard lock(m_lock);
        host = ReadTagValue(FConfigStr, QStringLiteral("ServerHost"), true);
        port = ReadTagValue(FConfigStr, QStringLiteral("ServerPort"), true);
        ssl = ReadTagValue(FConfigStr, QStringLiteral("IsSSL"), true);
    }
    const QString scheme =
        configrules::boolValue(ssl, false) ? QStringLiteral("https://") : QStringLiteral("http://");
    return scheme + host + u':' + QString::number(configrules::serverPort(port));
}

QString TClientConfigX::ConfigPath() const {
    return m_configPath;
}

QString TClientConfigX::AllInfo() const {
    std::lock_guard lock(m_lock);
    return detached(FConfigStr);
}

TScInfoArray TClientConfigX::ScInfos() const {
    std::lock_guard lock(m_lock);
    return FScInfos;
}

void TClientConfigX::SetScInfos(const TScInfoArray& value) {
    std::lock_guard lock(m_lock);
    FScInfos = value;
}

}  // namespace ov

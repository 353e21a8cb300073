#include "core/batchtranconfig.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/batchtransport.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/tagtext.h"
#include "core/textfile.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString condKey(std::int32_t id) {
    return u"Cond_"_s + QString::number(id);
}

// Appends the task's block as Optimize lays it out: the opening tag on a line of its own,
// the text form, the closing tag and an empty line.
void appendBlock(QString& text, const TBatchTransport& task) {
    const QString key = condKey(task.Id);
    text.append(u'[').append(key).append(u"]\r\n");
    text.append(BatchTransportToStr(task));
    text.append(u"[/").append(key).append(u"]\r\n\r\n");
}

// Blocks that cannot run are left out: an upload needs its target owner and its source, a
// download its source owner and its target.
bool isComplete(const TBatchTransport& task) {
    if (task.TranStyle == TS_Upload)
        return task.DestOwnerId > 0 && !task.SourceFolderName.isEmpty();
    if (task.TranStyle == TS_Download)
        return task.SourceOwnerId > 0 && !task.DestFolderName.isEmpty();
    return true;
}

void reserveStoredIds(const QString& text) {
    static const QRegularExpression open(uR"(\[Cond_(-?\d+)\])"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    for (auto it = open.globalMatch(text); it.hasNext();) {
        bool ok = false;
        const std::int32_t id = it.next().captured(1).toInt(&ok);
        if (ok) ReserveBatchTaskId(id);
    }
}

}  // namespace

TBatchTranConfig::TBatchTranConfig() : m_configFileName(GetLocalTempPath() + u"btr.sys"_s) {
    ForceFolder(m_configFileName);
    // A part of the file is never taken for the whole: such a file is not read at all.
    if (QFileInfo(m_configFileName).size() > kMaxTextFileSize) {
        m_loadError = u"The task file \"%1\" is larger than %2 MiB and cannot be read; it is "
                      u"left as it is."_s.arg(m_configFileName)
                          .arg(kMaxTextFileSize >> 20);
        return;
    }
    try {
        m_configStr = ReadTextFile(m_configFileName);
    } catch (const FileError& e) {
        m_configStr.clear();
        // A pipe or device in the file's place holds no tasks and is replaced on Save.
        if (QFileInfo(m_configFileName).isFile()) m_loadError = e.message();
    }
    reserveStoredIds(m_configStr);
}

QString TBatchTranConfig::IndexFolder() {
    return GetUserDataPath() + u"index/"_s;
}

void TBatchTranConfig::Save() {
    if (!m_loadError.isEmpty() && !m_configStr.isEmpty()) throw FileError(m_loadError);
    SaveUnicodeText(m_configFileName, m_configStr);
}

QString TBatchTranConfig::ReadString(const QString& key) const {
    return ReadTagValue(m_configStr, key);
}

void TBatchTranConfig::WriteString(const QString& key, const QString& value) {
    WriteTagValue(key, value, m_configStr);
}

std::int32_t TBatchTranConfig::ReadInteger(const QString& key) const {
    bool ok = false;
    const int value = ReadString(key).toInt(&ok, 10);
    return ok ? value : 0;
}

void TBatchTranConfig::WriteInteger(const QString& key, std::int32_t value) {
    WriteString(key, QString::number(value));
}

std::int32_t TBatchTranConfig::TaskCount() const {
    return ReadInteger(u"TaskCount"_s);
}

void TBatchTranConfig::SetTaskCount(std::int32_t value) {
    WriteInteger(u"TaskCount"_s, value);
}

TBatchTransport TBatchTranConfig::GetTask(std::int32_t id) const {
    TBatchTransport task;
    StrToBatchTransport(ReadString(condKey(id)), task);
    return task;
}

void TBatchTranConfig::SetTask(const TBatchTransport& value) {
    ReserveBatchTaskId(value.Id);
    WriteString(condKey(value.Id), BatchTransportToStr(value));
}

void TBatchTranConfig::AddTask(const TBatchTransport& value) {
    const std::int32_t count = TaskCount();
    SetTask(value);
    SetTaskCount(count + 1);
}

void TBatchTranConfig::DelTask(std::int32_t id) {
    const QString key = condKey(id);
    const QString close = u"[/"_s + key + u']';
    const qsizetype start = m_configStr.indexOf(u'[' + key + u']', 0, Qt::CaseInsensitive);
    const qsizetype end = start < 0 ? -1 : m_configStr.indexOf(close, start, Qt::CaseInsensitive);
    if (end >= 0) m_configStr.remove(start, end + close.size() - start);
    SetTaskCount(TaskCount() - 1);

    const QString index = IndexFolder() + QString::number(id);
    if (!QFile::exists(index + u".fln"_s)) return;
    for (const char16_t* ext : {u".fln", u".std", u".ivd", u".log"})
        QFile::remove(index + QString::fromUtf16(ext));
}

// Reads block after block, however many there are. A block without its closing tag ends the
// scan.
TBatchTransportArray TBatchTranConfig::GetAllTask() const {
    TBatchTransportArray tasks;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = m_configStr.indexOf(u"[Cond_"_s, from);
        const qsizetype end = start < 0 ? -1 : m_configStr.indexOf(u"[/Cond_"_s, start);
        if (end <= start) break;
        from = end;
        TBatchTransport task;
        StrToBatchTransport(m_configStr.mid(start, end - start), task);
        if (isComplete(task)) tasks.append(task);
    }
    return tasks;
}

void TBatchTranConfig::Optimize(const TBatchTransportArray& tasks) {
    m_configStr.clear();
    for (const TBatchTransport& task : tasks)
        appendBlock(m_configStr, task);
    Save();
}

}  // namespace ov

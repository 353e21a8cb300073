#pragma once
// The task file "btr.sys" in the local temporary folder: every batch task as a tagged block
// "[Cond_<id>]...[/Cond_<id>]", in UTF-16LE with a byte-order mark and CR LF line ends. The
// whole text lives in memory; only Save and Optimize write the file, which is replaced
// atomically, so a crash in the middle of a save leaves the previous file whole. One object
// per process (the batch window's) writes it, on one thread.

#include <QString>
#include <cstdint>

#include "core/types.h"

namespace ov {

class TBatchTranConfig {
public:
    // Loads the task file and marks the ids of its tasks as taken for new tasks. A missing file
    // gives no tasks; a file that cannot be read, or is larger than the text cap, gives no
    // tasks and LoadError says why (the batch window shows it).
    TBatchTranConfig();

    // Why the task file could not be read; "" when it was read whole (or is missing).
    const QString& LoadError() const { return m_loadError; }

    // Writes the text to the file (nothing when the text is empty). Throws FileError when the
    // file cannot be written, and when the file could not be read, so that tasks that were
    // never read are never overwritten.
    void Save();

    QString ReadString(const QString& key) const;
    void WriteString(const QString& key, const QString& value);
    std::int32_t ReadInteger(const QString& key) const;
    void WriteInteger(const QString& key, std::int32_t value);

    // The task with the id; the reading defaults when there is no such block.
    TBatchTransport GetTask(std::int32_t id) const;
    // Replaces the task's block in place or appends it. No Save.
    void SetTask(const TBatchTransport& value);
    // SetTask, and TaskCount goes up by one. No Save.
    void AddTask(const TBatchTransport& value);
    // Cuts the task's block, TaskCount goes down by one, and, when the task's file list
    // exists, its index files are deleted. No Save.
    void DelTask(std::int32_t id);
    // Every complete task of the text, in file order. Blocks of upload tasks without a target
    // owner or a source folder, and of download tasks without a source owner or a target
    // folder, are left out.
    TBatchTransportArray GetAllTask() const;
    // Rebuilds the text from the tasks alone and saves it.
    void Optimize(const TBatchTransportArray& tasks);

    std::int32_t TaskCount() const;
    void SetTaskCount(std::int32_t value);
    const QString& AllInfo() const { return m_configStr; }
    const QString& ConfigFileName() const { return m_configFileName; }
    // The folder of the tasks' index files: the settings folder + "index/".
    static QString IndexFolder();

private:
    QString m_configFileName;
    QString m_configStr;
    QString m_loadError;
};

}  // namespace ov

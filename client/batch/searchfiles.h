#pragma once
// The local search of an upload pass: every file below the roots (and their sub-folders when
// asked) is handed, root by root, to OnSaveFiles (the index's AppendFileInfo).

#include <QStringList>
#include <atomic>
#include <functional>

namespace ov {

class TSearchFiles {
public:
    bool IsIncludeSubFolder = false;
    std::function<void(const QStringList& paths)> OnSaveFiles;
    // Checked between roots and batches; a set flag ends the search early.
    const std::atomic<bool>* PIsBreak = nullptr;

    void SetRoots(const QStringList& values) { m_roots = values; }
    void Execute();
    int AllFileNum() const { return m_allFileNum; }

private:
    QStringList m_roots;
    int m_allFileNum = 0;
};

}  // namespace ov

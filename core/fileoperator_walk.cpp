// Folder walks: file lists, image counts, folder trees and folder lists.

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>
#include <set>
#include <utility>

#include "core/fileoperator.h"
#include "core/filetype.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

using FolderKey = std::pair<dev_t, ino_t>;

std::optional<FolderKey> folderKey(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return FolderKey{info.st_dev, info.st_ino};
}

QString withSlash(const QString& path) {
    return path.endsWith(u'/') ? path : path + u'/';
}

QFileInfoList listFolder(const QString& folder) {
    return QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name | QDir::IgnoreCase);
}

// One folder being walked: its entries, the next one to look at, and what the caller keeps
// for it (the tree node of the folder, for instance).
template <class Ctx>
struct Frame {
    QString folder;  // ends with "/"
    QFileInfoList entries;
    qsizetype next = 0;
    Ctx ctx;
    int depth = 0;
};

// Walks the folder depth first without recursion, so deep trees cannot exhaust the stack.
// visit(entry, path, ctx, depth) is called for every entry of a folder (depth 1 for the
// entries of root); for a folder it returns the context to enter it with, or nothing. A folder
// already entered in this walk (through a link, say) is passed over without a visit.
template <class Ctx, class Visit>
void walkFolder(const QString& root, Ctx rootCtx, int rootDepth, Visit visit) {
    std::set<FolderKey> entered;
    if (const auto key = folderKey(root)) entered.insert(*key);
    std::vector<Frame<Ctx>> stack;
    stack.push_back({withSlash(root), listFolder(root), 0, std::move(rootCtx), rootDepth});
    while (!stack.empty()) {
        Frame<Ctx>& top = stack.back();
        if (top.next >= top.entries.size()) {
            stack.pop_back();
            continue;
        }
        const QFileInfo entry = top.entries.at(top.next++);
        const QString path = top.folder + entry.fileName();
        std::optional<FolderKey> key;
        if (entry.isDir() && (!(key = folderKey(path)) || entered.count(*key))) continue;
        const int depth = top.depth + 1;
        std::optional<Ctx> child = visit(entry, path, top.ctx, depth);
        if (!child || !entry.isDir()) continue;
        entered.insert(*key);
        stack.push_back({path + u'/', listFolder(path), 0, std::move(*child), depth});
    }
}

// The name pattern of a search: "*.*" takes every name, other patterns are wildcards that
// ignore letter case.
class NamePattern {
public:
    explicit NamePattern(const QString& fileExt) : m_all(fileExt.isEmpty() || fileExt == u"*") {
        if (!m_all)
            m_regex.setPattern(QRegularExpression::wildcardToRegularExpression(u"*."_s + fileExt));
        m_regex.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    }
    bool matches(const QString& name) const { return m_all || m_regex.match(name).hasMatch(); }

private:
    bool m_all;
    QRegularExpression m_regex;
};

// A folder whose only attribute is "folder": not hidden, not read-only for everybody, not a link.
bool isPlainFolder(const QFileInfo& entry) {
    const auto writable = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return entry.isDir() && !entry.isSymLink() && !entry.fileName().startsWith(u'.') &&
           (entry.permissions() & writable);
}

bool isRegularFile(const QFileInfo& entry) {
    return entry.isFile() && !entry.isDir();
}

std::unique_ptr<TDirectoryTree> newChild(PDirectoryTree father, std::int32_t id, int level,
                                         const QString& path) {
    auto node = std::make_unique<TDirectoryTree>();
    node->Id = id;
    node->Level = std::uint8_t(level);
    node->Father = father;
    node->Path = path;
    return node;
}

}  // namespace

QString TFileOperator::GetSearchPath(const QString& path, const QString& fileExt) {
    if (path.isEmpty()) return {};
    return withSlash(path) + (fileExt.isEmpty() ? u"*.*"_s : u"*."_s + fileExt);
}

void TFileOperator::GetAllFiles(const QString& rootPath, bool isGetSubDir, QStringList& fileList,
                                const QString& fileExt) const {
    if (rootPath.isEmpty() || !QFileInfo(rootPath).isDir()) return;
    const NamePattern rootPattern(fileExt);
    walkFolder(
        rootPath, 0, 0,
        [&](const QFileInfo& entry, const QString& path, int, int depth) -> std::optional<int> {
            if (depth == 1 && !rootPattern.matches(entry.fileName())) return std::nullopt;
            if (isRegularFile(entry)) fileList.append(path);
            if (entry.isDir() && isGetSubDir) return 0;
            return std::nullopt;
        });
}

QStringList TFileOperator::ListAllFiles(const QString& rootPath, bool isGetSubDir,
                                        const QString& fileExt) {
    QStringList list;
    TFileOperator().GetAllFiles(rootPath, isGetSubDir, list, fileExt);
    return list;
}

void TFileOperator::GetPicFileNum(const QString& rootPath, bool isGetSubDir, int& allCount) const {
    if (!GetVolumeInformation(rootPath) || !QFileInfo(rootPath).isDir()) return;
    walkFolder(rootPath, 0, 0,
               [&](const QFileInfo& entry, const QString&, int, int) -> std::optional<int> {
                   if (isRegularFile(entry) && IsImageExtCode(GetFileExtType2(entry.fileName())))
                       ++allCount;
                   if (entry.isDir() && isGetSubDir) return 0;
                   return std::nullopt;
               });
}

void TFileOperator::GetAllDirectory(PDirectoryTree rootDir, int maxLevel, bool isFullPath) const {
    if (!rootDir || !GetVolumeInformation(rootDir->Path)) return;
    walkFolder(rootDir->Path, rootDir, rootDir->Level,
               [&](const QFileInfo& entry, const QString& path, PDirectoryTree father,
                   int level) -> std::optional<PDirectoryTree> {
                   if (!isPlainFolder(entry) || father->Childs.size() >= kMaxTreeChilds)
                       return std::nullopt;
                   // Ids are decimal digit strings of the node's position; deep trees wrap.
                   const auto id = std::int32_t(std::uint32_t(father->Childs.size()) +
                                                std::uint32_t(father->Id) * 10u);
                   const QString name = isFullPath ? path : entry.fileName();
                   father->Childs.push_back(newChild(father, id, level, name));
                   if (maxLevel >= 1 && level >= maxLevel) return std::nullopt;
                   return father->Childs.back().get();
               });
}

void TFileOperator::SaveDirectoryToList(PDirectoryTree rootDir, QList<PDirectoryTree>& list,
                                        int maxLevel) const {
    if (!rootDir || !GetVolumeInformation(rootDir->Path)) return;
    walkFolder(rootDir->Path, rootDir, rootDir->Level,
               [&](const QFileInfo& entry, const QString& path, PDirectoryTree father,
                   int level) -> std::optional<PDirectoryTree> {
                   if (!entry.isDir()) return std::nullopt;
                   const auto id = std::int32_t(list.size() + 1);
                   father->Childs.push_back(newChild(father, id, level, path));
                   list.append(father->Childs.back().get());
                   if (maxLevel != 0 && level >= maxLevel) return std::nullopt;
                   return father->Childs.back().get();
               });
}

void TFileOperator::SaveDirectoryToList(const QString& root, QStringList& list) const {
    if (root.isEmpty() || !GetVolumeInformation(root)) return;
    walkFolder(withSlash(root), 0, 0,
               [&](const QFileInfo& entry, const QString& path, int, int) -> std::optional<int> {
                   if (!entry.isDir()) return std::nullopt;
                   list.append(path + u'/');
                   return 0;
               });
}

void TFileOperator::FreeDirectoryTree(PDirectoryTree rootDir) const {
    if (!rootDir) return;
    // Children are taken apart one level at a time so that freeing a deep tree cannot
    // exhaust the stack.
    std::vector<std::unique_ptr<TDirectoryTree>> pending = std::move(rootDir->Childs);
    rootDir->Childs.clear();
    while (!pending.empty()) {
        std::unique_ptr<TDirectoryTree> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->Childs)
            pending.push_back(std::move(child));
    }
}

}  // namespace ov

#include "documents/versions/workpath.h"

#include "core/safejoin.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "documents/versions/records.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString withSlash(QString folder) {
    folder.replace(u'\\', u'/');
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    return folder;
}

// The deepest mapped folder of the ids; its index goes to `level`.
QString deepestMapping(const QVector<std::int64_t>& ids, const QString& iniFilePath, int& level) {
    for (level = int(ids.size()) - 1; level >= 0; --level) {
        const QString mapped = ReadWorkPath(iniFilePath, ids[level]);
        if (!mapped.isEmpty()) return mapped;
    }
    return {};
}

}  // namespace

TServerPath ReadServerPath(const QString& serverPathText) {
    TServerPath path{ReadTagValue(serverPathText, u"PathStr"_s),
                     ReadTagValue(serverPathText, u"PathIdStr"_s)};
    path.PathStr.replace(u'/', u'\\');
    path.PathIdStr.replace(u'/', u'\\');
    return path;
}

QString GetMappedWorkPath(const QString& serverPathText, const QString& iniFilePath) {
    const TServerPath path = ReadServerPath(serverPathText);
    if (!path.Complete()) return {};
    int level = -1;
    QString result = deepestMapping(SplitToInt64Array(path.PathIdStr, u'\\'), iniFilePath, level);
    if (result.isEmpty()) return {};
    const QStringList names = SplitToStrArray(path.PathStr, u'\\');
    if (level + 2 >= names.size()) return result;
    // A typed folder may lack its separator: the names go below it, not onto its name.
    result = withSlash(result);
    for (qsizetype i = level + 2; i < names.size(); ++i) {
        if (!IsSafeNamePart(names[i])) return {};
        result += names[i] + u'/';
    }
    return result;
}

QString FolderBelowRoot(const QString& root, const QString& pathStr) {
    const auto joined = JoinBelow(root, pathStr);
    return joined ? withSlash(*joined) : root;
}

int PathStepOf(const QString& pathStr) {
    return std::max<int>(
        0, int(SplitToStrArray(QString(pathStr).replace(u'/', u'\\'), u'\\').size()) - 1);
}

TLocalFolders::TLocalFolders(const QString& folder, int pathStep)
    : FPath(withSlash(folder)), FPathStep(std::max(0, pathStep)) {}

std::optional<QString> TLocalFolders::remainder(const QString& path) const {
    if (FPathStep == 0) {
        if (path.startsWith(u'\\')) return std::nullopt;
        return path.endsWith(u'\\') ? path.chopped(1) : path;
    }
    int count = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path[i] == u'\\') ++count;
        if (count == FPathStep) return path.mid(i + 1);
    }
    return std::nullopt;
}

std::optional<QString> TLocalFolders::LocalFolderOf(const QString& path, std::int64_t folderId) {
    if (FTmpFolderId && *FTmpFolderId == folderId) return FTmpPath;
    auto rest = remainder(QString(path).replace(u'/', u'\\'));
    if (!rest) return std::nullopt;
    QString folder = FPath;
    if (!rest->isEmpty()) {
        const auto joined = JoinBelow(FPath, *rest);
        if (!joined) return std::nullopt;
        folder = withSlash(*joined);
    }
    FTmpFolderId = folderId;
    FTmpPath = folder;
    return folder;
}

}  // namespace ov

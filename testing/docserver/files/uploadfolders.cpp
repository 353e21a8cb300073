#include "testing/docserver/files/uploadfolders.h"

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

constexpr int kMaxLevels = 32;

std::int64_t childNamed(const DocModel& model, std::int32_t owner, std::int64_t parent,
                        const QString& name) {
    for (const DocFolder* child : model.childFolders(owner, parent))
        if (child->name.compare(name, Qt::CaseInsensitive) == 0) return child->id;
    return 0;
}

}  // namespace

std::int64_t UploadTargetFolder(DocModel& model, std::int32_t ownerId, std::int64_t folderId,
                                const QString& subFolderName) {
    QString path = subFolderName;
    path.replace(u'\\', u'/');
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    if (parts.size() > kMaxLevels) return -1;
    for (const QString& part : parts)
        if (part == u"."_s || part == u".."_s) return -1;
    std::int64_t current = folderId;
    for (const QString& part : parts) {
        std::int64_t next = childNamed(model, ownerId, current, part);
        if (next == 0) {
            next = model.nextFolderId();
            model.addFolder(next, ownerId, current, part);
        }
        current = next;
    }
    return current;
}

}  // namespace ov::test

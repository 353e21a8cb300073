// The test server's model: its folder and name index stays true to the files however they
// change (added, marked deleted, erased or inserted past `addFile`).

#include "testing/docserver/model/model.h"

#include <gtest/gtest.h>

using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

QList<std::int64_t> Keys(const DocModel& m, std::int64_t folder) {
    QList<std::int64_t> keys;
    for (const DocFile* f : m.folderFiles(folder))
        keys.append(f->key);
    return keys;
}

std::int64_t Named(const DocModel& m, std::int64_t folder, const QString& name) {
    const DocFile* f = m.fileNamed(folder, name);
    return f ? f->key : 0;
}

TEST(DocServerModel, FolderFilesAndNamesFollowEveryChange) {
    DocModel m;
    m.addFile(3, 10, u"Report.TXT"_s, 1, 0);
    m.addFile(1, 10, u"a.txt"_s, 1, 0);
    m.addFile(2, 20, u"report.txt"_s, 1, 0);
    EXPECT_EQ(Keys(m, 10), (QList<std::int64_t>{1, 3})) << "in key order";
    EXPECT_EQ(Named(m, 10, u"REPORT.txt"_s), 3) << "without case";
    EXPECT_EQ(Named(m, 20, u"Report.txt"_s), 2) << "by folder";
    EXPECT_EQ(Named(m, 30, u"report.txt"_s), 0);

    m.files.at(3).deleted = true;
    EXPECT_EQ(Named(m, 10, u"report.txt"_s), 0);
    m.addFile(4, 10, u"report.txt"_s, 1, 0);  // the name may come again after a delete
    EXPECT_EQ(Named(m, 10, u"report.txt"_s), 4);

    m.files.erase(4);
    EXPECT_EQ(Named(m, 10, u"report.txt"_s), 0);
    EXPECT_EQ(Keys(m, 10), (QList<std::int64_t>{1}));

    DocFile& direct = m.files[7];  // past addFile
    direct.key = 7;
    direct.folderId = 10;
    direct.name = u"direct.txt"_s;
    EXPECT_EQ(Named(m, 10, u"Direct.txt"_s), 7);
    EXPECT_EQ(Keys(m, 10), (QList<std::int64_t>{1, 7}));
}

}  // namespace

// A small folder tree of the demo user for trying version control: files to check out, edit
// and check in, one held by another user and one under edit audit, and a sub-folder for the
// latest versions and the folder comparison. Only the program ov-docserver loads it, so the
// tests' fixture stays as it is.

#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

using namespace Qt::StringLiterals;

namespace ov::test::demo {

namespace {

struct VersionDemoFile {
    std::int64_t key;
    std::int64_t folder;
    const char16_t* name;
    const char* text;
};

const VersionDemoFile kVersionFiles[] = {
    {4001, VersionsFolder, u"计划.txt", "第一周：需求\n第二周：设计\n"},
    {4002, VersionsFolder, u"readme.txt", "Check me out, edit me and check me in.\n"},
    {4003, VersionsFolder, u"张三签出.txt", "Checked out by another user.\n"},
    {4004, VersionsFolder, u"审核中.txt", "Under edit audit.\n"},
    {4101, VersionPartsFolder, u"支架.asm", "assembly\n"},
    {4102, VersionPartsFolder, u"零件清单.txt", "螺栓 M8 x 20\n垫片 8\n"},
};

}  // namespace

void LoadVersionsDemo(DocModel& model) {
    std::lock_guard lock(model.mutex);
    const TDateTime day = 46002.375;  // 2025-12-11 09:00
    model.addFolder(VersionsFolder, DemoUser, 0, u"版本控制演示"_s);
    model.addFolder(VersionPartsFolder, DemoUser, VersionsFolder, u"零件"_s);
    for (const VersionDemoFile& f : kVersionFiles)
        model.addFile(f.key, f.folder, QString::fromUtf16(f.name), qstrlen(f.text), day);
    model.files.at(4003).lockedBy = OtherUser;
    model.files.at(4004).inWriteAudit = true;
    // A file whose key needs all 19 digits, and log rows for the list and log exports.
    constexpr std::int64_t LongKey = 1234567890123456789;
    model.addFile(LongKey, VersionsFolder, u"长编号说明.txt"_s, 18, day);
    model.files.at(4001).version = 3;  // older versions to fetch
    model.logs.append({DemoUser, 4001, 1, day});
    model.logs.append({OtherUser, LongKey, 1, day + 0.01});
    model.logs.append({DemoUser, LongKey, 62, day + 0.02});
    model.logs.append({DemoUser, 4002, 2, day + 0.03});
}

void StoreVersionsDemoContents(DocFileChannel& files) {
    for (const VersionDemoFile& f : kVersionFiles)
        files.setContent(f.key, QByteArray(f.text));
}

}  // namespace ov::test::demo

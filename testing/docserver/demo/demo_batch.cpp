// A folder of the demo user whose files the batch download takes in one go (the home page's
// "批量下载" link of the folder). Only the program ov-docserver loads it.

#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

using namespace Qt::StringLiterals;

namespace ov::test::demo {

namespace {

struct BatchDemoFile {
    std::int64_t key;
    const char16_t* name;
    const char* text;
};

const BatchDemoFile kBatchFiles[] = {
    {5001, u"会议纪要.txt", "一、进度\n二、问题\n三、下周安排\n"},
    {5002, u"parts-list.csv", "part,count\nbolt M8,40\nwasher 8,40\n"},
    {5003, u"notes.txt", "Downloaded together with the other two files.\n"},
};

}  // namespace

void LoadBatchDemo(DocModel& model, DocFileChannel& files) {
    {
        std::lock_guard lock(model.mutex);
        const TDateTime day = 46002.5;  // 2025-12-11 12:00
        model.addFolder(BatchFolder, DemoUser, 0, u"批量下载演示"_s);
        for (const BatchDemoFile& f : kBatchFiles)
            model.addFile(f.key, BatchFolder, QString::fromUtf16(f.name), qstrlen(f.text), day);
    }
    for (const BatchDemoFile& f : kBatchFiles)
        files.setContent(f.key, QByteArray(f.text));
}

}  // namespace ov::test::demo

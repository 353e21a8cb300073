// Office documents of the demo user: a Word document with tracked changes, a spreadsheet and a
// presentation in the user's own folder. The model holds their names and sizes; their bytes
// are stored in the file channel by StoreOfficeDemoContents.

#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

using namespace Qt::StringLiterals;

namespace ov::test::demo {

namespace {

#include "testing/docserver/demo/demo_office_files.inc"

struct OfficeDemoFile {
    std::int64_t key;
    const char16_t* name;
    const char* bytes;
    qsizetype size;
};

const OfficeDemoFile kOfficeFiles[] = {
    {TrackedWordFile, u"合同修订.docx", TrackedDocx, TrackedDocxSize},
    {SheetFile, u"销售数据.xlsx", SheetXlsx, SheetXlsxSize},
    {SlidesFile, u"产品介绍.pptx", SlidesPptx, SlidesPptxSize},
};

}  // namespace

void LoadOfficeDemo(DocModel& model) {
    const TDateTime day = 46001.375;  // 2025-12-10 09:00
    for (const OfficeDemoFile& f : kOfficeFiles)
        model.addFile(f.key, MyDocsFolder, QString::fromUtf16(f.name), f.size, day);
}

QByteArray OfficeDemoContent(std::int64_t key) {
    for (const OfficeDemoFile& f : kOfficeFiles)
        if (f.key == key) return QByteArray(f.bytes, f.size);
    return {};
}

void StoreOfficeDemoContents(DocFileChannel& files) {
    for (const OfficeDemoFile& f : kOfficeFiles)
        files.setContent(f.key, OfficeDemoContent(f.key));
}

}  // namespace ov::test::demo

// The demo files of the previewers of drawings, plans, reader formats, web pages, mails and
// rich text, in the demo user's folder; their bytes are stored in the file channel by
// StorePreviewerDemoContents.

#include "testing/docserver/demo.h"
#include "testing/docserver/filechannel.h"

using namespace Qt::StringLiterals;

namespace ov::test::demo {

namespace {

#include "testing/docserver/demo/demo_previewer_files.inc"

// Files whose reader does not exist here: their bytes are never shown.
constexpr char DemoCeb[] = "CEB demo book: the reader control is not installed here.";
constexpr char DemoMpp[] = "Project demo plan: no reader of Project plans is installed here.";

struct PreviewerDemoFile {
    std::int64_t key;
    const char16_t* name;
    const char* bytes;
    qsizetype size;
};

const PreviewerDemoFile kPreviewerFiles[] = {
    {DrawingFile, u"流程图.vsdx", DemoVsdx, DemoVsdxSize},
    {CorelFile, u"标志.cdr", DemoCdr, DemoCdrSize},
    {MailFile, u"季度报告.eml", DemoEml, DemoEmlSize},
    {WebPageFile, u"网页存档.mht", DemoMht, DemoMhtSize},
    {LetterFile, u"说明.rtf", DemoRtf, DemoRtfSize},
    {EBookFile, u"手册.ceb", DemoCeb, sizeof DemoCeb - 1},
    {PlanFile, u"进度计划.mpp", DemoMpp, sizeof DemoMpp - 1},
};

}  // namespace

void LoadPreviewerDemo(DocModel& model) {
    const TDateTime day = 46001.5;  // 2025-12-10 12:00
    for (const PreviewerDemoFile& f : kPreviewerFiles)
        model.addFile(f.key, MyDocsFolder, QString::fromUtf16(f.name), f.size, day);
}

QByteArray PreviewerDemoContent(std::int64_t key) {
    for (const PreviewerDemoFile& f : kPreviewerFiles)
        if (f.key == key) return QByteArray(f.bytes, f.size);
    return {};
}

void StorePreviewerDemoContents(DocFileChannel& files) {
    for (const PreviewerDemoFile& f : kPreviewerFiles)
        files.setContent(f.key, PreviewerDemoContent(f.key));
}

}  // namespace ov::test::demo

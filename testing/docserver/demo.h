#pragma once
// Demo content of the test server: two groups below a root group, three users (one disabled),
// folders with Chinese names and a few files. Tests use it as their fixture too.

#include "testing/docserver/model/model.h"

namespace ov::test {
class DocFileChannel;
}

namespace ov::test::demo {

constexpr std::int32_t RootGroup = 1;
constexpr std::int32_t DesignGroup = 2;
constexpr std::int32_t SalesGroup = 3;
constexpr std::int32_t DemoUser = 100001;
constexpr std::int32_t OtherUser = 100002;
constexpr std::int32_t DisabledUser = 100003;

constexpr std::int64_t DrawingsFolder = 10;   // group 2, top folder
constexpr std::int64_t MechanicsFolder = 11;  // below 10
constexpr std::int64_t ElectricsFolder = 12;  // below 10
constexpr std::int64_t MyDocsFolder = 20;     // the demo user's own
constexpr std::int64_t SalesFolder = 30;      // group 3, which the demo user may not see
// The version-control tree of the program's demo (LoadVersionsDemo): the demo user's own.
constexpr std::int64_t VersionsFolder = 40;
constexpr std::int64_t VersionPartsFolder = 41;  // below 40
// The batch download's demo folder (LoadBatchDemo): the demo user's own.
constexpr std::int64_t BatchFolder = 50;

// The file manager's demo: deeper folders and a few files in them.
constexpr std::int64_t AssemblyFolder = 40;       // below 11
constexpr std::int64_t AssemblyPartsFolder = 41;  // below 40
constexpr std::int64_t CabinetFolder = 42;        // below 12
constexpr std::int64_t AssemblyPlanFile = 2101;   // in 40, previewed by the client
constexpr std::int64_t AssemblyNotesFile = 2102;  // in 40

constexpr std::int64_t GearboxFile = 1001;  // in 11
constexpr std::int64_t ManualFile = 1002;   // in 11
constexpr std::int64_t ReportFile = 2001;   // in 20
constexpr std::int64_t PriceFile = 3001;    // in 30
// Office documents in 20 (keys below ReportFile, so that it stays the folder's last file).
constexpr std::int64_t TrackedWordFile = 1901;  // a Word document with tracked changes
constexpr std::int64_t SheetFile = 1902;        // a spreadsheet
constexpr std::int64_t SlidesFile = 1903;       // a presentation
// Files of the other previewers in 20: drawings, a plan, a mail, a web page, rich text, a book.
constexpr std::int64_t DrawingFile = 1904;  // a Visio drawing (vsdx)
constexpr std::int64_t CorelFile = 1905;    // a CorelDRAW drawing (cdr)
constexpr std::int64_t MailFile = 1906;     // a mail with a Chinese subject and attachments (eml)
constexpr std::int64_t WebPageFile = 1907;  // a saved web page (mht)
constexpr std::int64_t LetterFile = 1908;   // a rich-text letter (rtf)
constexpr std::int64_t EBookFile = 1909;    // an e-book whose reader is not installed (ceb)
constexpr std::int64_t PlanFile = 1910;     // a Project plan, no reader installed (mpp)

QString DemoLogin();
QString DemoPassword();
QString DemoToken();
QString OtherToken();

void LoadDemo(DocModel& model);

// The office documents (LoadDemo adds them to the model); their bytes, and storing those in a
// file channel so that downloads serve them (testing/docserver/demo_office.cpp).
void LoadOfficeDemo(DocModel& model);
// Deeper folders and a few more files for trying the file manager; the program loads them after
// LoadDemo (tests of other areas count the plain demo's folders and files).
void LoadFileManagerDemo(DocModel& model);
QByteArray OfficeDemoContent(std::int64_t key);
void StoreOfficeDemoContents(DocFileChannel& files);

// The files of the other previewers, the same way (testing/docserver/demo/demo_previewers.cpp).
void LoadPreviewerDemo(DocModel& model);
QByteArray PreviewerDemoContent(std::int64_t key);
void StorePreviewerDemoContents(DocFileChannel& files);

// A folder tree for version control (only the program loads it, not the tests' fixture): files
// to check out and in, one checked out by another user, one under edit audit, a sub-folder
// (testing/docserver/demo/demo_versions.cpp).
void LoadVersionsDemo(DocModel& model);
void StoreVersionsDemoContents(DocFileChannel& files);

// Three small files to download in one go (only the program loads them;
// testing/docserver/demo/demo_batch.cpp).
void LoadBatchDemo(DocModel& model, DocFileChannel& files);

}  // namespace ov::test::demo

#include "previewfixture.h"

#include "core/filetype.h"
#include "core/globalconfig.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QSignalSpy>
#include <thread>

using namespace Qt::StringLiterals;

namespace ov::test {

void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_officepreview";
    static char* argv[] = {name, nullptr};
    // Never deleted: it must outlive every widget of every test.
    if (!QApplication::instance()) new QApplication(argc, argv);
}

OfficePreviewTest::OfficePreviewTest() {
    ensureApplication();
    demo::LoadDemo(model);
    demo::StoreOfficeDemoContents(files);
    commands.install(server);
    files.install(server);
    const auto config = RenewGlobalConfig();
    config->SetServerHost(server.host());
    config->SetServerPort(server.port());
    config->SetIsSSL(false);
    config->SetEncryptUserID(demo::DemoToken());
    config->SetSysLanguage(HSL_ENG);
    hint = std::make_unique<TPreViewHint>(HSL_ENG, nullptr);
}

OfficePreviewTest::~OfficePreviewTest() {
    hint.reset();
    FreeGlobalConfig();
}

std::unique_ptr<RecordingOfficePreview> OfficePreviewTest::newPreview(bool readOnly) {
    auto preview = std::make_unique<RecordingOfficePreview>();
    preview->PreViewHintFrm = hint.get();
    preview->SetDocReadonly(readOnly);
    preview->resize(900, 700);
    preview->show();
    return preview;
}

bool OfficePreviewTest::show(RecordingOfficePreview& preview, const char* ext, std::int64_t key,
                             int timeoutMs) {
    QSignalSpy done(&preview, &TOfficeFilePreviewFrm::documentShown);
    preview.ShowHTML(FileExtToCode(QString::fromLatin1(ext)), -1, key);
    if (done.isEmpty() && !done.wait(timeoutMs)) return false;
    return done.first().first().toBool();
}

std::vector<std::int32_t> OfficePreviewTest::reports(size_t atLeast) {
    std::vector<std::int32_t> oprs;
    for (int i = 0; i < 50; ++i) {
        QCoreApplication::processEvents();
        {
            std::lock_guard lock(model.mutex);
            oprs.clear();
            for (const DocLog& log : model.logs)
                oprs.push_back(log.opr);
        }
        if (oprs.size() >= atLeast) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return oprs;
}

QStringList OfficePreviewTest::temporaryFiles(const RecordingOfficePreview& preview) const {
    QStringList found;
    QDirIterator it(preview.rootFolder(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(preview.rootFolder()).relativeFilePath(it.next());
    return found;
}

}  // namespace ov::test

#pragma once
// The previewers of drawings, readers, web pages, mails and rich text in a widget application,
// in a private home; the machine's LibreOffice (one warm office for the whole test program)
// converts what needs converting.

#include "documents/preview/previewbase.h"
#include "platform/officeconverter.h"
#include "support/temphome.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QString>
#include <memory>
#include <optional>

namespace ov::test {

void ensureApplication();

// The test program's warm converter (null without LibreOffice); ended by the environment.
std::shared_ptr<platform::WarmOfficeConverter> sharedConverter();
std::optional<platform::OfficeInstallation> machineOffice();

QString officeFixture(const QString& name);
QString mimeFixture(const QString& name);
// A copy of the fixture in the folder, as a download would leave it; its path.
QString copyTo(const QString& fixture, const QString& folder, const QString& name);

// Waits for a signal with a bool first argument; nullopt when none came in time.
template <typename Form, typename Signal>
std::optional<bool> waitFor(Form* form, Signal signal, int ms = 120000) {
    QSignalSpy spy(form, signal);
    if (spy.isEmpty() && !spy.wait(ms)) return std::nullopt;
    return spy.first().first().toBool();
}

// Whether a right press sent to the widget reaches it (nothing discards it).
bool rightClickPasses(QWidget* widget);

// Adds the previewers' base environment to a form: the hint window, the language.
class PreviewerTest : public ::testing::Test {
protected:
    PreviewerTest();
    ~PreviewerTest() override;
    void setLanguage(THS_Language language);

    TempHome home;
    std::unique_ptr<TPreViewHint> hint;
};

}  // namespace ov::test

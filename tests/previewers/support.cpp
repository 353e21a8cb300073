#include "support.h"

#include "core/globalconfig.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

std::shared_ptr<platform::WarmOfficeConverter>& converterSlot() {
    static std::shared_ptr<platform::WarmOfficeConverter> converter;
    return converter;
}

// Ends the office once every test has run.
class ConverterEnvironment : public ::testing::Environment {
public:
    void TearDown() override { converterSlot().reset(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ConverterEnvironment);

class PressRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) pressed = true;
        return false;
    }
    bool pressed = false;
};

}  // namespace

void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_previewers";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);  // outlives every widget
}

std::optional<platform::OfficeInstallation> machineOffice() {
    return platform::findOfficeSuite(platform::OfficeSuite::LibreOffice);
}

std::shared_ptr<platform::WarmOfficeConverter> sharedConverter() {
    auto& converter = converterSlot();
    const auto office = machineOffice();
    if (!converter && office && !office->python.isEmpty())
        converter = std::make_shared<platform::WarmOfficeConverter>(*office);
    return converter;
}

QString officeFixture(const QString& name) {
    return QStringLiteral(OV_OFFICE_FIXTURES) + name;
}

QString mimeFixture(const QString& name) {
    return QStringLiteral(OV_MIME_FIXTURES) + name;
}

QString copyTo(const QString& fixture, const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    const QString copy = folder + name;
    QFile::remove(copy);
    return QFile::copy(fixture, copy) ? copy : QString();
}

bool rightClickPasses(QWidget* widget) {
    PressRecorder recorder;
    widget->installEventFilter(&recorder);
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    widget->removeEventFilter(&recorder);
    return recorder.pressed;
}

PreviewerTest::PreviewerTest() {
    ensureApplication();
    setLanguage(HSL_ENG);
}

PreviewerTest::~PreviewerTest() {
    hint.reset();
    FreeGlobalConfig();
}

void PreviewerTest::setLanguage(THS_Language language) {
    hint.reset();
    // A fresh settings object in the language, with the server of the one before.
    const auto before = GlobalConfig();
    const auto config = RenewGlobalConfig();
    config->SetSysLanguage(language);
    if (!before) return;
    config->SetServerHost(before->ServerHost());
    config->SetServerPort(before->ServerPort());
    config->SetIsSSL(before->IsSSL());
    config->SetEncryptUserID(before->EncryptUserID());
    hint = std::make_unique<TPreViewHint>(language, nullptr);
}

}  // namespace ov::test

// Signing a server PDF through the control's members with a scripted signing control: the file
// is downloaded under a name of its own and locked, signed, uploaded as a new version; cancel
// releases it; a form freed while its file is locked releases the lock; without a signing
// control the set-up fails with the control's message.

#include "control/members/members.h"
#include "control/object/quexformx.h"
#include "control/pdfsign/ntkopdfsign.h"
#include "control/pdfsign/signcontrol.h"
#include "core/cipher.h"
#include "core/resultcode.h"
#include "editing/fixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>

using namespace ov;
using namespace ov::control;
using namespace ov::test;
using namespace Qt::StringLiterals;

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_pdfsign";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// Records every call; "signs" by appending a line to the file it opened.
class ScriptedSignControl final : public TOfficeControl {
public:
    ScriptedSignControl(QWidget* parent, QStringList& log, bool loggedIn)
        : TOfficeControl(parent), m_log(log), m_loggedIn(loggedIn) {}

    void SetTitlebar(bool on) override { m_log << u"Titlebar %1"_s.arg(on); }
    void SetToolbars(bool on) override { m_log << u"Toolbars %1"_s.arg(on); }
    void SetModalState(bool on) override { m_log << u"ModalState %1"_s.arg(on); }
    void SetMenubar(bool on) override { m_log << u"Menubar %1"_s.arg(on); }
    void SetUp(const QString& a, const QString& b) override { m_log << u"SetUp %1 %2"_s.arg(a, b); }
    void AddDocTypePlugin(const QString& ext, const QString& progId, const QString& version,
                          const QString& location, int docType, bool autoDownload) override {
        m_log << u"Plugin %1 %2 %3 %4 %5 %6"_s.arg(ext, progId, version, location)
                     .arg(docType)
                     .arg(autoDownload);
    }
    bool SvrIsLogin() override { return m_loggedIn; }
    void SetSvrUrl(const QString& url) override { m_log << u"SvrUrl "_s + url; }
    void SvrDoLogin(const QString& user, const QString& password) override {
        m_log << u"SvrDoLogin %1 %2"_s.arg(user, password);
        m_loggedIn = true;
    }
    void OpenLocalFile(const QString& path) override {
        m_log << u"Open"_s;
        m_opened = path;
    }
    void SaveToLocal() override {
        m_log << u"Save"_s;
        QFile file(m_opened);
        if (!file.open(QIODevice::Append) || file.write("%signed\n") != 8)
            throw std::runtime_error("cannot save");
    }
    void Close() override { m_log << u"Close"_s; }

private:
    QStringList& m_log;
    bool m_loggedIn;
    QString m_opened;
};

class PdfSignTest : public ::testing::Test {
public:
    PdfSignTest() : f(false) {
        App();
        f.files.setContent(demo::ReportFile, "%PDF-1.4 contract\n");
        SignControls() = [this](QWidget* parent) {
            return new ScriptedSignControl(parent, log, loggedIn);
        };
        NewControl();
    }
    ~PdfSignTest() override {
        SignControls() = nullptr;
        if (iface) iface->Release();
        FreeGlobalConfig();
    }

    void NewControl() {
        void* object = nullptr;
        ASSERT_EQ(TQuexFormX::Create(IID_IQuexFormX, &object), ovcom::S_OK);
        iface = static_cast<IQuexFormX*>(object);
        control = static_cast<TQuexFormX*>(iface);
    }
    TNtkoPdfSignFrm* Form() const {
        return qobject_cast<TNtkoPdfSignFrm*>(control->Forms.get(ChildForm::PdfSign));
    }
    // A signing form with its message boxes recorded.
    void Init() {
        members::NtkoPdfSignInit(*control, u"one"_s, u"two"_s);
        ASSERT_TRUE(Form());
        Form()->ShowMessage = [this](const QString& text, QMessageBox::Icon) { messages << text; };
    }
    // Opens the report; the local copy's path.
    QString Open() {
        Init();
        members::NtkoPdfOpenFile(*control, QString::number(demo::ReportFile), u"x.pdf"_s);
        return Form() ? Form()->EditFileName() : QString();
    }

    EditServerFixture f;
    IQuexFormX* iface = nullptr;
    TQuexFormX* control = nullptr;
    QStringList log;
    QStringList messages;
    bool loggedIn = false;
};

TEST_F(PdfSignTest, OpensSignsAndUploadsTheSignedFileAsANewVersion) {
    const std::int32_t version = f.File(demo::ReportFile).version;
    Init();
    members::NtkoPdfSvrDoLogin(*control, u"https://sign.example/"_s, u"alice"_s,
                               EncryptString(u"s3cret"_s, 3));
    EXPECT_EQ(log, QStringList({u"Titlebar 0"_s, u"ModalState 1"_s, u"Toolbars 1"_s, u"Menubar 1"_s,
                                u"SetUp one two"_s,
                                u"Plugin .pdf PDF.NtkoDocument 4.0.0.0 ./ntkooledocall.dll 51 1"_s,
                                u"SvrUrl https://sign.example/"_s, u"SvrDoLogin alice s3cret"_s}));
    log.clear();

    members::NtkoPdfOpenFile(*control, QString::number(demo::ReportFile), u"x.pdf"_s);
    const QString copy = Form()->EditFileName();
    EXPECT_EQ(log, QStringList{u"Open"_s});
    EXPECT_TRUE(
        QRegularExpression(u"^\\d{11,13}\\.pdf$"_s).match(QFileInfo(copy).fileName()).hasMatch())
        << copy.toStdString();
    EXPECT_EQ(ReadAll(copy), "%PDF-1.4 contract\n");
    EXPECT_EQ(f.LockedBy(demo::ReportFile), demo::DemoUser);

    EXPECT_EQ(members::NtkoPdfSignedFileUpload(*control), ovcom::VARIANT_TRUE);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(f.files.content(demo::ReportFile), "%PDF-1.4 contract\n%signed\n");
    EXPECT_EQ(f.File(demo::ReportFile).version, version + 1);
    EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
    EXPECT_FALSE(QFileInfo::exists(copy));
    iface->Release();  // freeing the form after an upload leaves the server alone
    iface = nullptr;
    EXPECT_EQ(f.File(demo::ReportFile).version, version + 1);
}

TEST_F(PdfSignTest, LogsInToTheSignatureServerOnlyWhenItCan) {
    struct Case {
        const char* name;
        bool loggedIn;
        QString user;
        QString password;
        QStringList expected;
    } cases[] = {
        {"empty user", false, {}, EncryptString(u"pw"_s, 3), {u"SvrUrl u"_s}},
        {"undecipherable password", false, u"bob"_s, u"@@not enciphered"_s, {u"SvrUrl u"_s}},
        {"already logged in", true, u"bob"_s, EncryptString(u"pw"_s, 3), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loggedIn = c.loggedIn;
        Init();
        log.clear();
        members::NtkoPdfSvrDoLogin(*control, u"u"_s, c.user, c.password);
        EXPECT_EQ(log, c.expected);
    }
}

TEST_F(PdfSignTest, CancelReleasesTheFileDeletesTheCopyAndFreesTheForm) {
    const QString copy = Open();
    ASSERT_EQ(f.LockedBy(demo::ReportFile), demo::DemoUser);
    log.clear();
    members::NtkoPdfCancelSign(*control);
    EXPECT_EQ(log.value(0), u"Close"_s);
    EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(Form(), nullptr);
    EXPECT_EQ(f.files.content(demo::ReportFile), "%PDF-1.4 contract\n");
}

TEST_F(PdfSignTest, AFormFreedWhileItsFileIsLockedReleasesTheLock) {
    struct Case {
        const char* name;
        std::function<void(PdfSignTest&)> free;
    } cases[] = {
        {"a new set-up", [](PdfSignTest& t) { t.Init(); }},
        {"closing the browser", [](PdfSignTest& t) { members::CloseWebBrowser(*t.control); }},
        {"the control's end",
         [](PdfSignTest& t) {
             t.iface->Release();
             t.NewControl();
         }},
        {"after a refused upload",
         [](PdfSignTest& t) {
             t.f.files.setNext(NextTransfer{{}, RC_NoPower});
             EXPECT_EQ(members::NtkoPdfSignedFileUpload(*t.control), ovcom::VARIANT_FALSE);
             EXPECT_EQ(t.messages.size(), 1);
             members::CloseWebBrowser(*t.control);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString copy = Open();
        ASSERT_EQ(f.LockedBy(demo::ReportFile), demo::DemoUser);
        c.free(*this);
        EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_EQ(f.files.content(demo::ReportFile), "%PDF-1.4 contract\n");
    }
}

TEST_F(PdfSignTest, AKeyThatIsNotANumberShowsTheServersRefusalAndOpensNothing) {
    Init();
    log.clear();
    members::NtkoPdfOpenFile(*control, u"abc"_s, u"x.pdf"_s);
    EXPECT_EQ(Form()->FileKey(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.first(), Form()->Notes());
    EXPECT_TRUE(log.isEmpty()) << log.join(u' ').toStdString();
    EXPECT_FALSE(Form()->FileLocked());
    EXPECT_FALSE(QFileInfo::exists(Form()->EditFileName()));
}

TEST_F(PdfSignTest, WithoutASigningControlTheSetUpFailsWithTheControlsMessage) {
    SignControls() = nullptr;
    EXPECT_EQ(members::NtkoPdfSignedFileUpload(*control), ovcom::VARIANT_FALSE);  // no form yet
    const QString name = u"NtkoPdfSignInit"_s;
    ovcom::DISPID id = 0;
    ASSERT_EQ(iface->GetIDsOfNames(&name, 1, &id), ovcom::S_OK);
    std::vector<ovcom::Variant> args{ovcom::Variant(u"a"_s), ovcom::Variant(u"b"_s)};
    ovcom::DispParams params{args};
    ovcom::Variant result;
    ovcom::ExcepInfo excep;
    EXPECT_TRUE(
        ovcom::FAILED(iface->Invoke(id, ovcom::DISPATCH_METHOD, params, &result, &excep, nullptr)));
    EXPECT_EQ(excep.description, u"Class not registered"_s);
    // The form stays, but opens nothing and takes no lock.
    ASSERT_TRUE(Form());
    Form()->ShowMessage = [this](const QString& text, QMessageBox::Icon) { messages << text; };
    members::NtkoPdfOpenFile(*control, QString::number(demo::ReportFile), u"x.pdf"_s);
    EXPECT_EQ(messages, QStringList{u"Class not registered"_s});
    EXPECT_EQ(f.LockedBy(demo::ReportFile), 0);
}

TEST(PdfSignCopy, TwoCopiesMadeInOneMillisecondGetFilesOfTheirOwn) {
    TempHome home;
    const QString folder = home.file(u"tmp/"_s);
    const QDateTime when(QDate(2026, 3, 9), QTime(8, 5, 7, 42));
    const auto first = CreateSignCopy(folder, when);
    const auto second = CreateSignCopy(folder, when);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, folder + u"030908050742.pdf"_s);
    EXPECT_NE(*first, *second);
    EXPECT_TRUE(QFileInfo::exists(*first) && QFileInfo::exists(*second));
}

}  // namespace

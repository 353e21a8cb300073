// Every web-command code reaches its window with the arguments read from its text, or shows
// its hint.

#include <QLineEdit>
#include <QStringList>

#include "core/widgets/smtptestfrm.h"
#include "fixture.h"

using namespace Qt::StringLiterals;
using namespace ov;

namespace {

class Routing : public test::DispatchTest {
protected:
    // Fills every slot with a recorder of its call.
    void recordAll() {
        TWebForms& f = module->Forms();
        f.Preview = [this](const QString& cmd) {
            calls << u"Preview "_s + cmd;
            return u"preview failed"_s;
        };
        const auto editor = [this](const QString& name) {
            return [this, name](std::int64_t key, const QString& file, const QString& ext) {
                calls << u"%1 %2 %3 %4"_s.arg(name).arg(key).arg(file, ext);
            };
        };
        f.OfficeEditor = editor(u"OfficeEditor"_s);
        f.TextEditor = editor(u"TextEditor"_s);
        f.SetWorkPath = [this](std::int64_t folder) { calls << u"SetWorkPath %1"_s.arg(folder); };
        const auto folderForm = [this](const QString& name) {
            return [this, name](std::int32_t owner, std::int64_t folder) {
                calls << u"%1 %2 %3"_s.arg(name).arg(owner).arg(folder);
            };
        };
        f.GetNewVer = folderForm(u"GetNewVer"_s);
        f.ScanUpload = folderForm(u"ScanUpload"_s);
        f.UploadFiles = folderForm(u"UploadFiles"_s);
        const auto listForm = [this](const QString& name) {
            return [this, name](const QStringList& keys, const QStringList& names) {
                calls << u"%1 %2 %3"_s.arg(name, keys.join(u'/'), names.join(u'/'));
            };
        };
        f.Checkout = listForm(u"Checkout"_s);
        f.CancelCheckout = listForm(u"CancelCheckout"_s);
        f.Checkin = listForm(u"Checkin"_s);
        f.BatchDownload = listForm(u"BatchDownload"_s);
    }

    QStringList calls;
};

struct Case {
    quint8 code;
    QString cmd;
    QString call;  // the window's call; "" for none
    QString hint;  // what the hint window shows; "" for nothing
    QString clipboard;
};

const QString kNotAvailable = u"This function is not available yet!"_s;

}  // namespace

TEST_F(Routing, EveryCodeReachesItsWindowWithItsArguments) {
    recordAll();
    const Case cases[] = {
        {11,
         u"[TranStyle]2[/TranStyle][FF]2[/FF]"_s,
         {},
         {},
         u"[TranStyle]2[/TranStyle][FF]2[/FF]"_s},
        {12, u"[Key]4[/Key]"_s, {}, {}, u"[Key]4[/Key]"_s},
        {13, u"[filekey]5[/filekey]"_s, u"Preview [filekey]5[/filekey]"_s, u"preview failed"_s, {}},
        // Other files are edited through the online-edit monitor, by the clipboard.
        {15,
         u"[filekey]9[/filekey][filename]a.PDF[/filename]"_s,
         {},
         {},
         u"[Key]9[/Key][FileName]a.PDF[/FileName]"_s},
        {15,
         u"[FILEKEY]9[/FILEKEY][filename]d\\a.DOCX[/filename]"_s,
         u"OfficeEditor 9 a.DOCX docx"_s,
         {},
         {}},
        {15,
         u"[filekey]9[/filekey][filename]../b.txt[/filename]"_s,
         u"TextEditor 9 b.txt txt"_s,
         {},
         {}},
        {15,
         u"[filekey]x[/filekey][filename]a.docx[/filename]"_s,
         {},
         u"File parameter error!"_s,
         {}},
        {16, u"[folderId] 7 [/folderId]"_s, u"SetWorkPath 7"_s, {}, {}},
        {16, u"[folderId]seven[/folderId]"_s, u"SetWorkPath 0"_s, {}, {}},
        {16, u"[folderId]8000000000[/folderId]"_s, u"SetWorkPath 8000000000"_s, {}, {}},
        {17,
         u"[ownerId]5[/ownerId][folderId]8000000000[/folderId]"_s,
         u"GetNewVer 5 8000000000"_s,
         {},
         {}},
        {18,
         u"[fileKeys]1, 2,,[/fileKeys][fileName]a.doc,..\\b.doc[/fileName]"_s,
         u"Checkout 1/2 a.doc/b.doc"_s,
         {},
         {}},
        {19,
         u"[fileKeys]3[/fileKeys][fileName]c.doc[/fileName]"_s,
         u"CancelCheckout 3 c.doc"_s,
         {},
         {}},
        {20, u"[fileKeys]3[/fileKeys][fileName]c.doc[/fileName]"_s, u"Checkin 3 c.doc"_s, {}, {}},
        {21, u"[ownerId]5[/ownerId][folderId]6[/folderId]"_s, u"ScanUpload 5 6"_s, {}, {}},
        {22, u"[ownerId]5[/ownerId][folderId]6[/folderId]"_s, u"UploadFiles 5 6"_s, {}, {}},
        {25,
         u"[keys]1|2[/keys][names]a&nbsp;b.txt|c&NBSP;d/../e.txt[/names]"_s,
         u"BatchDownload 1/2 a b.txt/e.txt"_s,
         {},
         {}},
        {24, u"[x]1[/x]"_s, {}, {}, {}},
        {0, u"[x]1[/x]"_s, {}, {}, {}},
        {99, u"[x]1[/x]"_s, {}, {}, {}},
        {13, {}, {}, u"Parameter error!"_s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(u"%1 %2"_s.arg(c.code).arg(c.cmd).toStdString());
        calls.clear();
        hideHint();
        QGuiApplication::clipboard()->setText(u"before"_s);
        module->Execute({c.code, c.cmd});
        EXPECT_EQ(calls, c.call.isEmpty() ? QStringList() : QStringList{c.call});
        EXPECT_EQ(hint(), c.hint);
        EXPECT_EQ(clipboard(), c.clipboard.isEmpty() ? u"before"_s : c.clipboard);
    }
}

TEST_F(Routing, CodesWhoseWindowIsMissingShowTheNotAvailableHint) {
    const Case cases[] = {
        {13, u"[filekey]5[/filekey]"_s, {}, kNotAvailable, {}},
        {15, u"[filekey]9[/filekey][filename]a.docx[/filename]"_s, {}, kNotAvailable, {}},
        {15, u"[filekey]9[/filekey][filename]a.txt[/filename]"_s, {}, kNotAvailable, {}},
        {16, u"[folderId]7[/folderId]"_s, {}, kNotAvailable, {}},
        {17, u"[ownerId]5[/ownerId]"_s, {}, kNotAvailable, {}},
        {18, u"[fileKeys]1[/fileKeys]"_s, {}, kNotAvailable, {}},
        {19, u"[fileKeys]1[/fileKeys]"_s, {}, kNotAvailable, {}},
        {20, u"[fileKeys]1[/fileKeys]"_s, {}, kNotAvailable, {}},
        {21, u"[ownerId]5[/ownerId]"_s, {}, kNotAvailable, {}},
        {22, u"[ownerId]5[/ownerId]"_s, {}, kNotAvailable, {}},
        {25, u"[keys]1[/keys]"_s, {}, kNotAvailable, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        hideHint();
        module->Execute({c.code, c.cmd});
        EXPECT_EQ(hint(), c.hint);
        EXPECT_TRUE(module->HintOfPreviewFrm()->ShowsErrorPicture());
    }
}

TEST_F(Routing, MailTestOpensTheTestDialogWithThePageSettings) {
    QString host, language;
    module->ExecModal = [&](QDialog& dialog) {
        auto* form = qobject_cast<TSmtpTestFrm*>(&dialog);
        if (!form) return 0;
        host = form->edtHost->text();
        language = QString::number(form->Language());
        return 0;
    };
    module->Execute({23, u"[params][srv]mail.example.com[/srv][port]25[/port][/params]"_s});
    EXPECT_EQ(host, u"mail.example.com"_s);
    EXPECT_EQ(language, QString::number(HSL_ENG));
    EXPECT_EQ(hint(), QString());
}

#include "control/oldversions/getoldverfrm.h"

#include "control/oldversions/oldversionsteps.h"
#include "core/globalconfig.h"
#include "core/robottcpclient.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/titlebar.h"
#include "documents/versions/workpath.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

struct TPathReply {
    QString Text;
    QString Error;
};

// The local folder of a path reply: the mapped folder, else the working root + the server path.
QString ResolvedFolder(const QString& reply, const QString& ini, const QString& root) {
    const TServerPath path = ReadServerPath(reply);
    QString folder = path.Complete() ? GetMappedWorkPath(reply, ini) : QString();
    if (folder.isEmpty()) folder = FolderBelowRoot(root, path.PathStr);
    return folder.isEmpty() ? root : folder;
}

}  // namespace

TGetOldVerFrm::TGetOldVerFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"GetOldVerFrm"_s);
    FFileRoot = GlobalConfig()->WorkRoot();
    FHS_Language = Access.Language;
    LoadTexts();
    MakeBorderless(this);
    setFont(QFont(FHS_Language == HSL_CN ? u"宋体"_s : u"Arial"_s, 9));
    setWindowTitle(LangText(FHS_Language, u"选择路径"_s, u"Select path"_s));
    setFixedSize(400, 170);
    CreateWidgets();
    LayOut();
    Edit1->setText(FFileRoot);
    setProperty("okButton", u"btConfirm"_s);  // what a scripted "ok" presses
    connect(Button1, &QPushButton::clicked, this, &TGetOldVerFrm::Button1Click);
    connect(btConfirm, &QPushButton::clicked, this, &TGetOldVerFrm::btConfirmClick);
    connect(btCancel, &QPushButton::clicked, this, &TGetOldVerFrm::btCancelClick);
    connect(Image1, &TTitleBar::closeClicked, this, &TGetOldVerFrm::btCancelClick);
}

TGetOldVerFrm::~TGetOldVerFrm() = default;

void TGetOldVerFrm::LoadTexts() {
    const THS_Language l = FHS_Language;
    WLS_SelFolder = LangText(l, u"选择获取目录"_s, u"Select directory"_s);
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_GetOK = LangText(l, u"已成功获取"_s, u"Successfully obtained"_s);
    WLS_Cancel = LangText(l, u"任务取消"_s, u"Task canceled"_s);
    WLS_GetFileOK = LangText(l, u"获取文件成功！"_s, u"Succeed to get file!"_s);
    WLS_GetFileError = LangText(l, u"获取文件错误:"_s, u"File get error:"_s);
}

void TGetOldVerFrm::CreateWidgets() {
    const THS_Language l = FHS_Language;
    Image1 = new TTitleBar(u"Image1"_s, u"Image3"_s, this);
    Named(Image1->Title, u"lbTitle"_s)
        ->setText(LangText(l, u"获取历史版本"_s, u"Get old versions"_s));
    Label1 = Named(new QLabel(LangText(l, u"获取到："_s, u"Get to:"_s), this), u"Label1"_s);
    Edit1 = Named(new QLineEdit(this), u"Edit1"_s);
    Button1 = Named(new QPushButton(LangText(l, u"选择"_s, u"Select"_s), this), u"Button1"_s);
    Label2 = Named(new QLabel(LangText(l, u"进度："_s, u"Progress:"_s), this), u"Label2"_s);
    ProgressBar1 = Named(new QProgressBar(this), u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    lbSize = Named(new QLabel(this), u"lbSize"_s);
    btConfirm = Named(new QPushButton(LangText(l, u"确定"_s, u"Confirm"_s), this), u"btConfirm"_s);
    btCancel = Named(new QPushButton(LangText(l, u"取消"_s, u"Cancel"_s), this), u"btCancel"_s);
}

void TGetOldVerFrm::LayOut() {
    auto* folder = new QHBoxLayout;
    folder->addWidget(Label1);
    folder->addWidget(Edit1, 1);
    folder->addWidget(Button1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(Label2);
    progress->addWidget(ProgressBar1, 1);
    progress->addWidget(lbSize);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btConfirm);
    buttons->addWidget(btCancel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->addLayout(folder);
    body->addLayout(progress);
    body->addStretch();
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(Image1);
    layout->addLayout(body, 1);
}

void TGetOldVerFrm::Init(const QString& FileName, const QString& VersionIdTxt,
                         const QString& IniFilePath, std::int64_t FileKey) {
    FFileKey = FileKey;
    FFileName = FileName;
    FIniFilePath = IniFilePath;
    FVersionIds = ParseVersionIds(VersionIdTxt);
    // The question runs on a worker; the window keeps painting while it waits.
    QEventLoop wait;
    TPathReply answer;
    const TServerAccess access = Access;
    m_calls.Run<TPathReply>(
        [access, FileKey] {
            auto client = access.NewClient();
            const QString text = client->GetServerPath(FileKey, false);
            return TPathReply{text, text.isEmpty() ? client->GetLastError() : QString()};
        },
        [&wait, &answer](TPathReply reply, const QString& error) {
            answer = reply;
            if (!error.isEmpty()) answer.Error = error;
            wait.quit();
        });
    wait.exec();
    if (!answer.Error.isEmpty()) throw std::runtime_error(answer.Error.toStdString());
    Edit1->setText(ResolvedFolder(answer.Text, FIniFilePath, FFileRoot));
}

void TGetOldVerFrm::Button1Click() {
    const QString folder = Ui.PickFolder(this, WLS_SelFolder, QString());
    if (!folder.isEmpty()) Edit1->setText(folder);
    raise();
    activateWindow();
}

void TGetOldVerFrm::AddLog(const QString& name, const QString& text) {
    if (PHintFrm) PHintFrm->AddLog(name, text);
}

void TGetOldVerFrm::btConfirmClick() {
    if (FRunning || m_calls.Cancelled()) return;
    FSucceed = 0;
    FUkErrorStr.clear();
    FFolder = Edit1->text();
    FFolder.replace(u'\\', u'/');
    if (!FFolder.endsWith(u'/')) FFolder += u'/';
    if (!IsUkDownload && PHintFrm) PHintFrm->hide();
    raise();
    FRunning = true;
    btConfirm->setEnabled(false);
    NextVersion(0);
}

void TGetOldVerFrm::NextVersion(int index) {
    if (index >= FVersionIds.size()) {
        Finish();
        return;
    }
    const TOldVersionTarget target = OldVersionTarget(FFolder, FFileName, FVersionIds[index]);
    if (m_calls.Cancelled()) {
        AddLog(target.Path, WLS_Cancel);
        NextVersion(index + 1);
        return;
    }
    ProgressBar1->setMaximum(0);
    const TServerAccess access = Access;
    std::atomic<bool>* cancel = m_calls.CancelFlag();
    const auto progress =
        m_calls.QueuedProgress([this](qint64 all, qint64 done) { Progress(all, done); });
    m_calls.Run<TOldVersionResult>(
        [=, key = FFileKey, now = Clock()] {
            return FetchOldVersion(access, key, target, cancel, progress, now);
        },
        [this, index, path = target.Path](const TOldVersionResult& r, const QString& error) {
            Outcome(path, r.Code, error.isEmpty() ? r.Error : error);
            NextVersion(index + 1);
        });
}

void TGetOldVerFrm::Outcome(const QString& target, std::uint8_t code, const QString& error) {
    if (m_calls.Cancelled()) {
        AddLog(target, WLS_Cancel);
    } else if (code == 10) {
        FSucceed = 1;
        if (!IsUkDownload) AddLog(target, WLS_GetOK);
    } else {
        if (!IsUkDownload) AddLog(target, error);
        FUkErrorStr = error;
    }
}

void TGetOldVerFrm::Finish() {
    FRunning = false;
    if (ShowDownloadMsg) {
        if (FSucceed == 1)
            Ui.Tell(this, WLS_Hint, WLS_GetFileOK, false);
        else
            Ui.Tell(this, WLS_Hint, WLS_GetFileError + FUkErrorStr, true);
    }
    hide();
    if (!IsUkDownload && PHintFrm) PHintFrm->ShowInFront();
    emit finished();
    done(QDialog::Accepted);
}

void TGetOldVerFrm::Progress(qint64 all, qint64 done) {
    if (ProgressBar1->maximum() == 0) ProgressBar1->setMaximum(int(all / 1024 + 2));
    ProgressBar1->setValue(int(std::min<qint64>(done / 1024 + 1, ProgressBar1->maximum())));
    lbSize->setText(QString::number(done / 1024 + 1) + u'/' + QString::number(all / 1024 + 1) +
                    u'K');
}

// While versions are on their way, cancel stops them and the dialog closes when the rest have
// been logged; otherwise it closes at once.
void TGetOldVerFrm::btCancelClick() {
    m_calls.Cancel();
    if (!FRunning) reject();
}

void TGetOldVerFrm::closeEvent(QCloseEvent* event) {
    m_calls.Cancel();
    if (FRunning) event->ignore();
}

}  // namespace ov::control

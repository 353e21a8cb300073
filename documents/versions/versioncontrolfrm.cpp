#include "documents/versions/versioncontrolfrm.h"

#include "core/globalconfig.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"
#include "core/safejoin.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/records.h"
#include "documents/versions/setcheckoutpathfrm.h"
#include "documents/versions/titlebar.h"
#include "documents/versions/versionlog.h"
#include "documents/versions/workpath.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// More than this (5 seconds, in days) newer than the server's copy, a local file is only
// overwritten when the user agrees.
constexpr double ReplaceThreshold = 5.78703703703705e-5;

const QString CheckoutExtra = u"[IsCheckout]True[/IsCheckout][IsReplace]True[/IsReplace]"_s;

}  // namespace

TVersionControlFrm::TVersionControlFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"VersionControlFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    FHS_Language = Access.Language;
    LoadTexts();
    FormCreate();
}

TVersionControlFrm::~TVersionControlFrm() = default;

void TVersionControlFrm::LoadTexts() {
    const THS_Language l = FHS_Language;
    WLS_Replace = LangText(l, u"本机的文件比服务器端文件新，是否用服务器端的文件覆盖本机文件？"_s,
                           u"An newer file exists locally. Do you want to overwrite the local file "
                           u"with its older vision on the server?"_s);
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_SelFolder = LangText(l, u"选择签出目录"_s, u"Select the checkout directory"_s);
    WLS_OpenFailed = LangText(l, u"文件打开失败"_s, u"Failed to open file"_s);
    WLS_CheckOut = LangText(l, u"已成功签出"_s, u"Successfully checked out"_s);
    WLS_CancelCheckOut = LangText(l, u"已成功取消签出"_s, u"Checkout cancelled"_s);
    WLS_Modify =
        LangText(l, u"该文件正在进行修改审核"_s, u"The file is in the process of Edit audit."_s);
    WLS_Missing = LangText(l, u"您没有签出该文件或者本地签出信息已丢失"_s,
                           u"Failed to check in due to a missing local file"_s);
    WLS_CheckIn = LangText(l, u"已成功签入"_s, u"Successfully checked in"_s);
    WLS_BadName = LangText(l, u"文件名无效"_s, u"Invalid file name"_s);
}

void TVersionControlFrm::FormCreate() {
    const THS_Language l = FHS_Language;
    MakeBorderless(this);
    setFont(QFont(l == HSL_CN ? u"宋体"_s : u"Arial"_s, 9));
    setWindowTitle(LangText(l, u"签出"_s, u"Check out"_s));
    resize(455, 246);
    CreateWidgets();
    LayOut();
    connect(btOk, &QPushButton::clicked, this, &TVersionControlFrm::btOkClick);
    connect(btSelect, &QPushButton::clicked, this, &TVersionControlFrm::btSelectClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Image1, &TTitleBar::closeClicked, this, &QDialog::reject);
}

void TVersionControlFrm::CreateWidgets() {
    const THS_Language l = FHS_Language;
    Image1 = new TTitleBar(u"Image1"_s, u"Image3"_s, this);
    Named(Image1->Title, u"lbtitle"_s)->setText(windowTitle());
    GroupBox2 = Named(new QGroupBox(LangText(l, u"签出方式"_s, u"Check-out style"_s), this),
                      u"GroupBox2"_s);
    RadioButton1 = Named(new QRadioButton(LangText(l, u"签出并覆盖本地文件"_s,
                                                   u"Check out and overwrite the local file"_s),
                                          GroupBox2),
                         u"RadioButton1"_s);
    RadioButton1->setChecked(true);
    RadioButton2 = Named(
        new QRadioButton(
            LangText(l, u"签出并保留本地更改"_s, u"Check out and keep local changes"_s), GroupBox2),
        u"RadioButton2"_s);
    Label1 =
        Named(new QLabel(LangText(l, u"签出到目录："_s, u"Check out to:"_s), this), u"Label1"_s);
    Edit1 = Named(new QLineEdit(this), u"Edit1"_s);
    btSelect = Named(new QPushButton(LangText(l, u"选择"_s, u"Select"_s), this), u"btSelect"_s);
    CheckBox1 = Named(new QCheckBox(LangText(l, u"是否打开文件"_s, u"open the file"_s), this),
                      u"CheckBox1"_s);
    CheckBox1->setChecked(true);
    chbSaveAsDefault =
        Named(new QCheckBox(
                  LangText(l, u"保存为默认签出路径"_s, u"Save as default checkout path"_s), this),
              u"chbSaveAsDefault"_s);
    btOk = Named(new QPushButton(LangText(l, u"确定"_s, u"Confirm"_s), this), u"btOk"_s);
    btCancel = Named(new QPushButton(LangText(l, u"取消"_s, u"Cancel"_s), this), u"btCancel"_s);
}

void TVersionControlFrm::LayOut() {
    auto* styles = new QVBoxLayout(GroupBox2);
    styles->addWidget(RadioButton1);
    styles->addWidget(RadioButton2);
    auto* folder = new QHBoxLayout;
    folder->addWidget(Label1);
    folder->addWidget(Edit1, 1);
    folder->addWidget(btSelect);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chbSaveAsDefault);
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(GroupBox2);
    body->addLayout(folder);
    body->addWidget(CheckBox1);
    body->addStretch();
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(Image1);
    layout->addLayout(body, 1);
}

void TVersionControlFrm::SetHintForm(THintFrmXe* hintForm) {
    PHintFrm = hintForm;
}

void TVersionControlFrm::Init(const QStringList& KeysStr, const QStringList& NamesStr,
                              const QString& IniFilePath) {
    const auto config = GlobalConfig();
    FLastCheckoutPath = config->LastCheckoutPath();
    FFileRoot = FLastCheckoutPath.isEmpty() ? config->WorkRoot() : FLastCheckoutPath;
    FKeysStr = KeysStr;
    FNamesStr = NamesStr;
    FIniFilePath = IniFilePath;
    FOtherFormHandle = nullptr;
    btOk->setEnabled(false);
    const std::int64_t first = KeyOf(KeysStr.value(0));
    const TServerAccess access = Access;
    m_calls.Run<QString>(
        [access, first] { return access.NewClient()->GetServerPath(first, false); },
        [this](const QString& reply, const QString&) { ShowResolved(reply); });
    raise();
    activateWindow();
}

void TVersionControlFrm::ShowResolved(const QString& reply) {
    // A folder given meanwhile (SetCheckoutPath) stays.
    if (Edit1->text().isEmpty()) Edit1->setText(GetMappedWorkPath(reply, FIniFilePath));
    if (Edit1->text().isEmpty()) Edit1->setText(FLastCheckoutPath);
    if (Edit1->text().isEmpty()) Edit1->setText(FFileRoot);
    btOk->setEnabled(true);
    emit ready();
}

void TVersionControlFrm::SetCheckoutPath(const QString& Path) {
    Edit1->setText(Path);
    const auto config = GlobalConfig();
    config->SetLastCheckoutPath(Edit1->text());
    config->Save();
}

bool TVersionControlFrm::DelCheckoutPath(std::int64_t FileKey) {
    return ov::DelCheckoutPath(FIniFilePath, FileKey);
}

void TVersionControlFrm::AddVersionLog(const QString& Name, const QString& Text) {
    if (FOtherFormHandle)
        FOtherFormHandle->AddVersionLog(Name, Text);
    else if (PHintFrm)
        PHintFrm->AddLog(Name, Text);
}

void TVersionControlFrm::btSelectClick() {
    const QString folder = Ui.PickFolder(this, WLS_SelFolder, Edit1->text());
    if (!folder.isEmpty()) Edit1->setText(folder.endsWith(u'/') ? folder : folder + u'/');
    raise();
    activateWindow();
}

void TVersionControlFrm::btOkClick() {
    // An empty folder would put the files at the root of the file system.
    if (!IsUsableTargetFolder(Edit1->text())) {
        Ui.Tell(this, WLS_Hint, WLS_SelFolder, true);
        return;
    }
    FSucceed = 0;
    FTarget = Edit1->text().trimmed();
    if (!FOtherFormHandle && PHintFrm) PHintFrm->ShowInFront();
    FOpenAfter = CheckBox1->isChecked() && FKeysStr.size() == 1;
    m_running = true;
    hide();
    NextCheckout(0);
}

void TVersionControlFrm::NextCheckout(int index) {
    if (index >= FKeysStr.size()) {
        FinishCheckout();
        return;
    }
    TFileRun file{index, KeyOf(FKeysStr[index]), FNamesStr.value(index), {}};
    const auto local = JoinBelow(FTarget, file.Name);
    if (!local) {
        AddVersionLog(file.Name, WLS_BadName);
        NextCheckout(index + 1);
        return;
    }
    file.Local = *local;
    const TServerAccess access = Access;
    m_calls.Run<TLockStep>([access, file] { return LockForCheckout(access, file.Key, file.Local); },
                           [this, file](const TLockStep& step, const QString& error) {
                               TLockStep s = step;
                               if (!error.isEmpty()) s.Error = error;
                               OnLocked(file, s);
                           });
}

bool TVersionControlFrm::AskReplace(const TLockStep& step, const QString& local) {
    (void)local;
    if (!step.LocalExists || step.LocalTime - step.ServerTime <= ReplaceThreshold) return true;
    return Ui.Ask(this, WLS_Hint, WLS_Replace);
}

void TVersionControlFrm::OnLocked(const TFileRun& file, const TLockStep& step) {
    if (std::uint8_t(step.Lock) != RC_Ok || !step.HaveTime) {
        FailCheckout(file, step.Error, std::uint8_t(step.Lock) != RC_Locked);
        return;
    }
    const bool download =
        (!RadioButton2->isChecked() || !step.LocalExists) && AskReplace(step, file.Local);
    const TServerAccess access = Access;
    const QString ini = FIniFilePath;
    std::atomic<bool>* cancel = m_calls.CancelFlag();
    const auto progress = m_calls.QueuedProgress([this, name = file.Name](qint64 all, qint64 done) {
        if (FOtherFormHandle)
            FOtherFormHandle->TransferProgress(name, all, done);
        else if (PHintFrm)
            PHintFrm->TransferProgress(name, all, done);
    });
    m_calls.Run<TStepResult>(
        [=] {
            TStepResult r = download ? FetchKeepingLocal(access, file.Key, file.Local,
                                                         CheckoutExtra, cancel, progress)
                                     : AllowWithoutDownload(access, file.Key);
            if (r.Ok && !WriteCheckoutPath(ini, file.Key, file.Local))
                r.Error = u"Cannot write %1"_s.arg(CheckoutRecordFile(ini));
            return r;
        },
        [this, file](const TStepResult& r, const QString& error) {
            OnFetched(file, error.isEmpty() ? r : TStepResult{false, error});
        });
}

void TVersionControlFrm::OnFetched(const TFileRun& file, const TStepResult& result) {
    if (!result.Ok) {
        FailCheckout(file, result.Error, true);
        return;
    }
    AddVersionLog(file.Local, WLS_CheckOut);
    if (FOpenAfter && !Ui.Open(file.Local)) AddVersionLog(file.Local, WLS_OpenFailed);
    FSucceed = 1;
    NextCheckout(file.Index + 1);
}

void TVersionControlFrm::FailCheckout(const TFileRun& file, const QString& error, bool release) {
    const int next = file.Index + 1;
    if (!release) {
        AddVersionLog(file.Name, error);
        NextCheckout(next);
        return;
    }
    const TServerAccess access = Access;
    m_calls.Run<int>(
        [access, key = file.Key] {
            ReleaseLock(access, key);
            return 0;
        },
        [this, name = file.Name, error, next](int, const QString&) {
            AddVersionLog(name, error);
            NextCheckout(next);
        });
}

void TVersionControlFrm::FinishCheckout() {
    if (CheckBox1->isChecked() && FKeysStr.size() > 1) Ui.Open(FTarget);
    if (chbSaveAsDefault->isChecked()) SetCheckoutPath(Edit1->text());
    FinishRun(FSucceed);
}

void TVersionControlFrm::FinishRun(std::uint8_t result) {
    if (FOtherFormHandle) FOtherFormHandle->ReloadLists();
    FOtherFormHandle = nullptr;
    m_running = false;
    emit finished(result);
    close();
}

int TVersionControlFrm::ShowModalRun(const std::function<int(QDialog&)>& exec) {
    // A modal loop ends when the dialog hides for its run, and would free the dialog there.
    setAttribute(Qt::WA_DeleteOnClose, false);
    QPointer<TVersionControlFrm> self(this);
    const int result = exec ? exec(*this) : this->exec();
    if (!self) return result;
    if (m_running)
        setAttribute(Qt::WA_DeleteOnClose, true);  // freed when the run closes it
    else
        deleteLater();
    return result;
}

TVersionTexts TVersionControlFrm::Texts() const {
    return {WLS_CancelCheckOut, WLS_Modify, WLS_Missing, WLS_CheckIn};
}

TLogRow TVersionControlFrm::PostedLog() {
    auto post = m_calls.Poster();
    return [this, post](const QString& name, const QString& text) {
        post([this, name, text] { AddVersionLog(name, text); });
    };
}

void TVersionControlFrm::CancelCheckout() {
    m_running = true;
    const TServerAccess access = Access;
    const auto log = PostedLog();
    m_calls.Run<std::uint8_t>(
        [=, keys = FKeysStr, names = FNamesStr, ini = FIniFilePath, texts = Texts()] {
            return RunCancelCheckout(access, keys, names, ini, texts, log);
        },
        [this](std::uint8_t result, const QString& error) {
            if (!error.isEmpty()) AddVersionLog(FNamesStr.value(0), error);
            FinishRun(result);
        });
}

void TVersionControlFrm::BathCheckin() {
    m_running = true;
    const TServerAccess access = Access;
    const auto log = PostedLog();
    std::atomic<bool>* cancel = m_calls.CancelFlag();
    m_calls.Run<std::uint8_t>(
        [=, keys = FKeysStr, names = FNamesStr, ini = FIniFilePath, texts = Texts()] {
            return RunBathCheckin(access, keys, names, ini, texts, log, cancel);
        },
        [this](std::uint8_t result, const QString& error) {
            if (!error.isEmpty()) AddVersionLog(FNamesStr.value(0), error);
            FinishRun(result);
        });
}

}  // namespace ov

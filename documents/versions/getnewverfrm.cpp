#include "documents/versions/getnewverfrm.h"

#include "core/datetime.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/robottcpclient.h"
#include "core/safejoin.h"
#include "documents/versions/hintfrmxe.h"
#include "documents/versions/setcheckoutpathfrm.h"
#include "documents/versions/titlebar.h"
#include "documents/versions/versionsteps.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Closer than this (0.9 second, in days), a local copy counts as the server's.
constexpr double SameTime = 1.041666666666669e-5;

QString withSlash(QString folder) {
    folder.replace(u'\\', u'/');
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

}  // namespace

TGetNewVerFrm::TGetNewVerFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"GetNewVerFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    FFileRoot = GlobalConfig()->WorkRoot();
    FHS_Language = Access.Language;
    Access.ReadTimeoutMs = 30000;
    FormCreate();
    Edit1->setText(FFileRoot);
}

TGetNewVerFrm::~TGetNewVerFrm() = default;

void TGetNewVerFrm::FormCreate() {
    LoadTexts();
    MakeBorderless(this);
    setFont(QFont(FHS_Language == HSL_CN ? u"宋体"_s : u"Arial"_s, 9));
    setWindowTitle(LangText(FHS_Language, u"获得最近版本"_s, u"Get the latest version"_s));
    setFixedSize(373, 149);
    CreateWidgets();
    LayOut();
    connect(btConfirm, &QPushButton::clicked, this, &TGetNewVerFrm::btConfirmClick);
    connect(btPathSelect, &QPushButton::clicked, this, &TGetNewVerFrm::btPathSelectClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(Image1, &TTitleBar::closeClicked, this, &QDialog::close);
}

void TGetNewVerFrm::LoadTexts() {
    const THS_Language l = FHS_Language;
    WLS_SelFolder = LangText(l, u"选择获取目录"_s, u"Select a directory"_s);
    WLS_SelFolder2 = LangText(l, u"请选择正确的服务器目录！"_s,
                              u"Please select the correct directory on the server!"_s);
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_ProcessOk = LangText(l, u"处理完成"_s, u"Process completed"_s);
    WLS_GetOK = LangText(l, u"获取成功"_s, u"Successfully obtained"_s);
    WLS_NewFolder = LangText(l, u"不存在的本地保存路径，是否新建路径？"_s,
                             u"The local save path doesn't exist. Will you create a new one?"_s);
    WLS_NewFolderFailed =
        LangText(l, u"新建本地保存路径失败！"_s, u"Failed to create a new local save path!"_s);
    WLS_BadPath = LangText(l, u"服务器路径无效，已跳过"_s, u"Invalid server path, skipped"_s);
}

void TGetNewVerFrm::CreateWidgets() {
    const THS_Language l = FHS_Language;
    Image1 = new TTitleBar(u"Image1"_s, u"Image3"_s, this);
    Named(Image1->Title, u"lbTitle"_s)
        ->setText(LangText(l, u"获取最新版本"_s, u"Get the latest version"_s));
    Label2 = Named(new QLabel(LangText(l, u"获取到："_s, u"Get to:"_s), this), u"Label2"_s);
    Edit1 = Named(new QLineEdit(this), u"Edit1"_s);
    btPathSelect =
        Named(new QPushButton(LangText(l, u"选择"_s, u"Select"_s), this), u"btPathSelect"_s);
    CheckBox1 =
        Named(new QCheckBox(LangText(l, u"包含子目录"_s, u"Include subdirectories"_s), this),
              u"CheckBox1"_s);
    btConfirm = Named(new QPushButton(LangText(l, u"确定"_s, u"Confirm"_s), this), u"btConfirm"_s);
    btCancel = Named(new QPushButton(LangText(l, u"取消"_s, u"Cancel"_s), this), u"btCancel"_s);
}

void TGetNewVerFrm::LayOut() {
    auto* folder = new QHBoxLayout;
    folder->addWidget(Label2);
    folder->addWidget(Edit1, 1);
    folder->addWidget(btPathSelect);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox1);
    buttons->addStretch();
    buttons->addWidget(btConfirm);
    buttons->addWidget(btCancel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->addLayout(folder);
    body->addStretch();
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(Image1);
    layout->addLayout(body, 1);
}

void TGetNewVerFrm::Init(std::int32_t OwnerId, std::int64_t FolderId, const QString& IniFilePath) {
    FOwnerId = OwnerId;
    FFolderId = FolderId;
    FIniFilePath = IniFilePath;
    btConfirm->setEnabled(false);
    const TServerAccess access = Access;
    m_calls.Run<QString>(
        [access, FolderId] { return access.NewClient()->GetServerPath(FolderId, true); },
        [this](const QString& reply, const QString&) { ShowResolved(reply); });
}

void TGetNewVerFrm::ShowResolved(const QString& reply) {
    const TServerPath path = ReadServerPath(reply);
    QString folder;
    if (path.Complete()) {
        FPathStep = PathStepOf(path.PathStr);
        folder = GetMappedWorkPath(reply, FIniFilePath);
        if (folder.isEmpty()) folder = FFileRoot;
    } else {
        folder = FolderBelowRoot(FFileRoot, path.PathStr);
    }
    Edit1->setText(folder.isEmpty() ? FFileRoot : folder);
    btConfirm->setEnabled(true);
    emit ready();
}

void TGetNewVerFrm::btPathSelectClick() {
    const QString folder = Ui.PickFolder(this, WLS_SelFolder, Edit1->text());
    if (!folder.isEmpty()) Edit1->setText(withSlash(folder));
    raise();
    activateWindow();
}

bool TGetNewVerFrm::EnsureFolder() {
    // An empty folder would put the files at the root of the file system.
    if (!IsUsableTargetFolder(FPath)) {
        Ui.Tell(this, WLS_Hint, WLS_SelFolder, true);
        return false;
    }
    if (QFileInfo(FPath).isDir()) return true;
    if (!Ui.Ask(this, WLS_Hint, WLS_NewFolder)) return false;
    if (ForceFolder(FPath, true)) return true;
    Ui.Tell(this, WLS_Hint, WLS_NewFolderFailed, true);
    return false;
}

void TGetNewVerFrm::btConfirmClick() {
    FPath = Edit1->text().trimmed();
    if (!FPath.isEmpty()) FPath = withSlash(FPath);
    if (!EnsureFolder()) return;
    if (FPath == withSlash(FFileRoot)) FPathStep = 0;
    if (PHintFrm) PHintFrm->ShowInFront();
    hide();
    FIsIncludeSubFolder = CheckBox1->isChecked();
    Run();
}

void TGetNewVerFrm::AddLog(const QString& name, const QString& text) {
    if (PHintFrm) PHintFrm->AddLog(name, text);
}

void TGetNewVerFrm::Run() {
    if (FOwnerId == 0 || FFolderId == 0) {
        Ui.Tell(this, WLS_Hint, WLS_SelFolder2, false);
        close();
        return;
    }
    FFolders.emplace(FPath, FPathStep);
    FIsReplaceAll = false;
    const TServerAccess access = Access;
    m_calls.Run<QString>(
        [access, owner = FOwnerId, folder = FFolderId, sub = FIsIncludeSubFolder] {
            return access.NewClient()->GetNewVer(owner, folder, sub, QString());
        },
        [this](const QString& text, const QString& error) {
            if (!error.isEmpty()) AddLog(error, QString());
            FFiles = ParseNewVerList(text);
            NextFile(0);
        });
}

void TGetNewVerFrm::NextFile(int index) {
    if (index >= FFiles.size()) {
        Finish();
        return;
    }
    const TFileInFo& e = FFiles[index];
    const auto folder = FFolders->LocalFolderOf(e.Path, e.FolderId);
    const auto local = folder ? JoinBelow(*folder, e.Name) : std::nullopt;
    if (!local) {
        AddLog(e.Path + u'\\' + e.Name, WLS_BadPath);
        NextFile(index + 1);
        return;
    }
    const QFileInfo info(*local);
    if (info.exists()) {
        const double d = QDateTimeToDateTime(info.lastModified()) - e.Date;
        bool take = std::abs(d) >= SameTime && (FIsReplaceAll || d <= SameTime);
        if (std::abs(d) >= SameTime && !take) {
            const QString answer = Ui.AskNewer(this, *local, FHS_Language);
            if (answer == u"all"_s) FIsReplaceAll = true;
            take = answer == u"all"_s || answer == u"ok"_s;
        }
        if (!take) {
            NextFile(index + 1);
            return;
        }
    }
    Download(index, *local);
}

void TGetNewVerFrm::Download(int index, const QString& local) {
    const TServerAccess access = Access;
    std::atomic<bool>* cancel = m_calls.CancelFlag();
    const auto progress = m_calls.QueuedProgress([this, local](qint64 all, qint64 done) {
        if (PHintFrm) PHintFrm->TransferProgress(local, all, done);
    });
    m_calls.Run<TStepResult>(
        [=, key = FFiles[index].Key] {
            TStepResult r = FetchKeepingLocal(access, key, local, u"[IsReplace]True[/IsReplace]"_s,
                                              cancel, progress);
            if (r.Ok) QFile::remove(local + u".1"_s);
            return r;
        },
        [this, index, local](const TStepResult& r, const QString& error) {
            AddLog(local, r.Ok ? WLS_GetOK : error.isEmpty() ? r.Error : error);
            NextFile(index + 1);
        });
}

void TGetNewVerFrm::Finish() {
    AddLog(WLS_ProcessOk, QString());
    emit finished();
    close();
}

}  // namespace ov

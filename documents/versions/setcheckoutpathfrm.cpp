#include "documents/versions/setcheckoutpathfrm.h"

#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/robottcpclient.h"
#include "documents/versions/records.h"
#include "documents/versions/titlebar.h"
#include "documents/versions/workpath.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

bool IsUsableTargetFolder(const QString& folder) {
    const QString text = folder.trimmed();
    return !text.isEmpty() && QDir::isAbsolutePath(text);
}

TSetCheckOutPathFrm::TSetCheckOutPathFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"SetCheckOutPathFrm"_s);
    FHS_Language = Access.Language;
    FormCreate();
}

void TSetCheckOutPathFrm::FormCreate() {
    const THS_Language l = FHS_Language;
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_WorkPath = LangText(l, u"设置工作路径"_s, u"Set the working path"_s);
    WLS_SelectFolder = LangText(l, u"选择文件夹："_s, u"Select folder:"_s);
    WLS_S = LangText(l, u"选择"_s, u"Select"_s);
    WLS_Confim = LangText(l, u"确定"_s, u"Confirm"_s);
    WLS_Cancel = LangText(l, u"取消"_s, u"Cancel"_s);
    WLS_CheckPath = LangText(l, u"选择签出目录"_s, u"Select the directory"_s);
    WLS_Restart = LangText(l, u"成功保存，重启程序此设置才能生效！"_s,
                           u"Successfully saved. \nThe system should be restarted so the changes "
                           u"can take effct!"_s);
    WLS_NewFolder = LangText(l, u"不存在的本地保存路径，是否新建路径？"_s,
                             u"The local save path doesn't exist. Will you create a new one?"_s);
    WLS_NewFolderFailed =
        LangText(l, u"新建本地保存路径失败！"_s, u"Failed to create a new local save path!"_s);
    MakeBorderless(this);
    setFont(QFont(l == HSL_CN ? u"宋体"_s : u"Arial"_s, 9));
    setWindowTitle(WLS_WorkPath);
    resize(420, 120);
    Image3 = new TTitleBar(u"Image3"_s, u"Image7"_s, this);
    Image3->Title->setObjectName(u"Label2"_s);
    Image3->Title->setText(WLS_WorkPath);
    Label1 = new QLabel(WLS_SelectFolder, this);
    Label1->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    btSelect = new QPushButton(WLS_S, this);
    btSelect->setObjectName(u"btSelect"_s);
    btOK = new QPushButton(WLS_Confim, this);
    btOK->setObjectName(u"btOK"_s);
    btCancel = new QPushButton(WLS_Cancel, this);
    btCancel->setObjectName(u"btCancel"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(Edit1, 1);
    row->addWidget(btSelect);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 10);
    body->addLayout(row);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(Image3);
    layout->addLayout(body);
    connect(btOK, &QPushButton::clicked, this, &TSetCheckOutPathFrm::btOKClick);
    connect(btSelect, &QPushButton::clicked, this, &TSetCheckOutPathFrm::btSelectClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Image3, &TTitleBar::closeClicked, this, &QDialog::reject);
}

void TSetCheckOutPathFrm::Init(const QString& FileRoot, const QString& IniFilePath,
                               std::int64_t FolderId) {
    FFileRoot = FileRoot;
    FFolderId = FolderId;
    FIniFilePath = IniFilePath;
    if (FolderId <= 0) {
        Edit1->setText(FileRoot);
        emit ready();
        return;
    }
    btOK->setEnabled(false);
    const TServerAccess access = Access;
    m_calls.Run<QString>(
        [access, FolderId] { return access.NewClient()->GetServerPath(FolderId, true); },
        [this](const QString& reply, const QString&) { ShowResolved(reply); });
}

void TSetCheckOutPathFrm::ShowResolved(const QString& reply) {
    QString folder = GetMappedWorkPath(reply, FIniFilePath);
    if (folder.isEmpty()) folder = FolderBelowRoot(FFileRoot, ReadServerPath(reply).PathStr);
    Edit1->setText(folder);
    btOK->setEnabled(true);
    emit ready();
}

bool TSetCheckOutPathFrm::EnsureFolder() {
    if (!IsUsableTargetFolder(FPath)) {
        Ui.Tell(this, WLS_Hint, WLS_CheckPath, true);
        return false;
    }
    if (QFileInfo(FPath).isDir()) return true;
    if (!Ui.Ask(this, WLS_Hint, WLS_NewFolder)) return false;
    if (ForceFolder(FPath, true)) return true;
    Ui.Tell(this, WLS_Hint, WLS_NewFolderFailed, true);
    return false;
}

void TSetCheckOutPathFrm::Store() {
    if (FFolderId > 0) {
        if (!WriteWorkPath(FIniFilePath, FFolderId, FPath))
            Ui.Tell(this, WLS_Hint, WLS_NewFolderFailed, true);
        return;
    }
    const auto config = GlobalConfig();
    config->SetWorkRoot(FPath);
    config->Save();
    Ui.Tell(this, WLS_Hint, WLS_Restart, false);
}

void TSetCheckOutPathFrm::btOKClick() {
    FPath = Edit1->text().trimmed();
    if (!EnsureFolder()) return;
    hide();
    Store();
    accept();
}

void TSetCheckOutPathFrm::btSelectClick() {
    const QString folder = Ui.PickFolder(this, WLS_CheckPath, Edit1->text());
    if (!folder.isEmpty()) Edit1->setText(folder.endsWith(u'/') ? folder : folder + u'/');
    raise();
    activateWindow();
}

}  // namespace ov

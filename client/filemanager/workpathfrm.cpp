#include "client/filemanager/workpathfrm.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "client/filemanager/formstyle.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "core/widgets/getpathfrm.h"

using namespace Qt::StringLiterals;

namespace ov {

TWorkPathFrm::TWorkPathFrm(QWidget* parent)
    : QDialog(parent), FHS_Language(GlobalConfig()->SysLanguage()) {
    setObjectName(u"WorkPathFrm"_s);
    const bool cn = FHS_Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_PathNotExist = cn ? u"不存在的本地保存路径，是否新建路径？"_s
                          : u"The local save path does not exist, will you create a new path?"_s;
    WLS_NewPathFailed = cn ? u"新建本地保存路径失败！"_s : u"Failed to create a new local save path!"_s;
    WLS_SaveOK = cn ? u"成功保存，重启客户端程序才能生效！"_s
                    : u"Successfully saved. The client program should be restarted so the changes can take effect! "_s;
    WLS_ChooseLocal = cn ? u"选择本地上传文件夹"_s : u"Select a local upload folder"_s;
    setWindowTitle(cn ? u"工作目录设置"_s : u"Working directory settings"_s);
    FPath = GlobalConfig()->WorkRoot();
    Label1 = Named(new QLabel(cn ? u"选择文件夹："_s : u"Select a folder:"_s, this), u"Label1"_s);
    edtFolder = Named(new QLineEdit(FPath, this), u"edtFolder"_s);
    BitBtn2 = Named(new QPushButton(cn ? u"选择"_s : u"Select"_s, this), u"BitBtn2"_s);
    bbtSave = Named(new QPushButton(cn ? u"保存"_s : u"Save"_s, this), u"bbtSave"_s);
    BitBtn1 = Named(new QPushButton(cn ? u"取消"_s : u"Cancel"_s, this), u"BitBtn1"_s);
    auto* row = new QHBoxLayout;
    row->addWidget(Label1);
    row->addWidget(edtFolder, 1);
    row->addWidget(BitBtn2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbtSave);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    resize(460, 100);
    ApplyFormFont(this, FHS_Language);
    PickFolder = [this](const QString& start) {
        TGetPathFrm picker(this);
        picker.LanguageInit(FHS_Language);
        picker.setWindowTitle(WLS_ChooseLocal);
        picker.SetSelectedPath(start);
        return picker.exec() == QDialog::Accepted ? picker.SelectedPath() : QString();
    };
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        const QString chosen = PickFolder(FPath);
        if (chosen.isEmpty()) return;
        FPath = chosen;
        edtFolder->setText(FPath);
    });
    connect(bbtSave, &QPushButton::clicked, this, &TWorkPathFrm::bbtSaveClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TWorkPathFrm::bbtSaveClick() {
    FPath = edtFolder->text().trimmed();
    if (FPath.isEmpty()) return;
    if (!QDir(FPath).exists()) {
        if (QMessageBox::question(this, WLS_Hint, WLS_PathNotExist) != QMessageBox::Yes) return;
        if (!ForceFolder(FPath) || !QDir(FPath).exists()) {
            QMessageBox::critical(this, WLS_Hint, WLS_NewPathFailed);
            return;
        }
    }
    GlobalConfig()->SetWorkRoot(FPath);
    GlobalConfig()->Save();
    QMessageBox::information(this, WLS_Hint, WLS_SaveOK);
    accept();
}

}  // namespace ov

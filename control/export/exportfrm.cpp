#include "control/export/exportfrm.h"

#include "core/robottcpclient.h"
#include "core/trantype.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov::control {

TExportFrm::TExportFrm(bool english, const QString& objectName, QWidget* parent)
    : QDialog(parent), FEnglish(english) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(english ? u"Tahoma"_s : u"宋体"_s, 9));
    WLS_Hint = L(u"提示"_s, u"Hint"_s);
    WLS_NoExcel = L(u"Excel没有安装！"_s, u"Excel is not installed!"_s);
    WLS_MustExcel = L(u"必须导出到excel文件"_s, u"Must be exported to excel file"_s);
    WLS_FileExist = L(u"已经存在该文件"_s, u"The file already exists"_s);
    WLS_Done = L(u"操作完成"_s, u"Operation is complete"_s);
    CreateWidgets();
    LayOut();
    setProperty("okButton", u"BtExport"_s);  // what a scripted "ok" presses
    connect(BtSelectPath, &QPushButton::clicked, this, &TExportFrm::BtSelectPathClick);
    connect(BtExport, &QPushButton::clicked, this, &TExportFrm::BtExportClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TExportFrm::CreateWidgets() {
    auto named = [](auto* widget, const QString& name) {
        widget->setObjectName(name);
        return widget;
    };
    Label1 = named(new QLabel(L(u"导出路径："_s, u"Export path:"_s), this), u"Label1"_s);
    EdtPath = named(new QLineEdit(this), u"EdtPath"_s);
    EdtPath->setReadOnly(true);
    BtSelectPath = named(new QPushButton(L(u"选择"_s, u"Select"_s), this), u"BtSelectPath"_s);
    Label2 = named(new QLabel(this), u"Label2"_s);
    EdtFileName = named(new QLineEdit(this), u"EdtFileName"_s);
    BtExport = named(new QPushButton(L(u"确定"_s, u"Confirm"_s), this), u"BtExport"_s);
    BtCancel = named(new QPushButton(L(u"取消"_s, u"Cancel"_s), this), u"BtCancel"_s);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Box);
    plWait = named(panel, u"plWait"_s);
    Label3 = named(new QLabel(u"正在导出，请稍后····"_s, plWait), u"Label3"_s);
    (new QHBoxLayout(plWait))->addWidget(Label3, 0, Qt::AlignCenter);
    plWait->hide();
}

void TExportFrm::LayOut() {
    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(EdtPath, 0, 1);
    grid->addWidget(BtSelectPath, 0, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(EdtFileName, 1, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtExport);
    buttons->addWidget(BtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(plWait);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(420, 150);
}

void TExportFrm::BtSelectPathClick() {
    QString folder = Ui.PickFolder(this, SelFolderCaption(), EdtPath->text());
    if (!folder.isEmpty()) {
        if (!folder.endsWith(u'/')) folder += u'/';
        EdtPath->setText(folder);
    }
    raise();
    activateWindow();
}

void TExportFrm::BtExportClick() {
    QString folder = EdtPath->text();
    if (!folder.isEmpty() && !folder.endsWith(u'/')) folder += u'/';
    const QString target = folder + EdtFileName->text();
    const QString ext = QFileInfo(EdtFileName->text()).suffix();
    if (ext != u"xls"_s && ext != u"xlsx"_s) {
        Ui.Tell(this, WLS_Hint, WLS_MustExcel, false);
        return;
    }
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
        Ui.Tell(this, WLS_Hint, WLS_FileExist, false);
        return;
    }
    plWait->show();
    BtExport->setEnabled(false);
    m_calls.Run<TOutcome>(
        [access = Access, request = Request(), target, widths = Widths(), office = Office] {
            TOutcome o;
            o.State = request(*access.NewClient(), o.Reply);
            if (o.State != RS_Ok2 || o.Reply.isEmpty()) return o;
            o.Written = true;
            o.Book = WriteWorkbook(target, o.Reply, widths, office);
            return o;
        },
        [this](const TOutcome& o, const QString& error) { Ended(o, error); });
}

// Done only when the workbook was written (or there was nothing to write); otherwise the user
// is told why and may try again.
void TExportFrm::Ended(const TOutcome& o, const QString& error) {
    plWait->hide();
    BtExport->setEnabled(true);
    bool close = false;
    if (!error.isEmpty()) {
        Ui.Tell(this, WLS_Hint, error, true);
    } else if (o.State != RS_Ok2) {
        Ui.Tell(this, WLS_Hint, o.Reply, false);
        close = CloseOnRefusal();
    } else if (o.Written && o.Book.Status == TWorkbookStatus::NotInstalled) {
        Ui.Tell(this, WLS_Hint, WLS_NoExcel, true);
    } else if (o.Written && o.Book.Status == TWorkbookStatus::Failed) {
        Ui.Tell(this, WLS_Hint, o.Book.Message, true);
    } else {
        Ui.Tell(this, WLS_Hint, WLS_Done, false);
        close = true;
    }
    emit exportEnded();
    if (close) accept();
}

}  // namespace ov::control

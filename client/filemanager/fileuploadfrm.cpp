#include "client/filemanager/fileuploadfrm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "client/filemanager/fileicons.h"
#include "client/filemanager/formstyle.h"
#include "client/filemanager/showfiles.h"
#include "client/filemanager/transferjob.h"
#include "client/filemanager/treenodes.h"
#include "core/datetime.h"
#include "core/fileoperator.h"
#include "core/globalconfig.h"
#include "core/hash.h"
#include "core/resultcode.h"
#include "core/robottcpclient.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr std::int32_t kDefaultLimitMb = 200;
constexpr qsizetype kMaxSubFolderChars = 1024;

QString folderOf(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString nameOf(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

}  // namespace

QString UploadSubFolderName(const QString& sourceFolder, const QString& filePath) {
    const QString folder = folderOf(filePath);
    if (sourceFolder.isEmpty()) return QString();
    const qsizetype at = folder.indexOf(sourceFolder, 0, Qt::CaseInsensitive);
    if (at < 0) return QString();
    QString rest = folder.mid(at + sourceFolder.size());
    rest.replace(u'/', u'\\');
    return rest.left(kMaxSubFolderChars);
}

QString ShortDropPath(const QString& sourceFolder, const QString& filePath) {
    if (sourceFolder.isEmpty() || !filePath.startsWith(sourceFolder)) return filePath;
    const QString rest = filePath.mid(sourceFolder.size());
    const bool separated = rest.startsWith(u'\\') || rest.startsWith(u'/');
    return u".."_s + (separated ? QString() : u"\\"_s) + rest;
}

std::int64_t UploadLimitBytes(std::int32_t megabytes) {
    return std::int64_t(megabytes > 0 ? megabytes : kDefaultLimitMb) * 1024 * 1024;
}

QVector<std::int32_t> AllowedTypes(QVector<std::int32_t> types) {
    if (types.contains(42)) types.clear();
    return types;
}

TFileUploadFrm::TFileUploadFrm(QWidget* parent)
    : QDialog(parent), FLink(TServerLink::FromSettings()), FJob(new TTransferJob(this)) {
    setObjectName(u"FileUploadFrm"_s);
    FMaxSize = UploadLimitBytes(kDefaultLimitMb);
    EdtPath = Named(new QLineEdit(this), u"EdtPath"_s);
    BtSelectPath = Named(new QPushButton(this), u"BtSelectPath"_s);
    BtUpload = Named(new QPushButton(this), u"BtUpload"_s);
    btCancel = Named(new QPushButton(this), u"btCancel"_s);
    ProgressBar1 = Named(new QProgressBar(this), u"ProgressBar1"_s);
    ProgressBar1->setMaximum(0);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    lbSize = Named(new QLabel(this), u"lbSize"_s);
    cbxFilePrt = Named(new QCheckBox(this), u"cbxFilePrt"_s);
    lblEditPrt = Named(new QLabel(this), u"lblEditPrt"_s);
    cbxFilePrt->hide();
    lblEditPrt->hide();
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(this), 0, 0);
    grid->addWidget(EdtPath, 0, 1, 1, 3);
    grid->addWidget(BtSelectPath, 0, 4);
    grid->addWidget(new QLabel(this), 1, 0);
    grid->addWidget(ProgressBar1, 1, 1, 1, 3);
    grid->addWidget(lbSize, 1, 4);
    grid->addWidget(cbxFilePrt, 2, 1);
    grid->addWidget(lblEditPrt, 2, 2);
    grid->addWidget(BtUpload, 3, 3);
    grid->addWidget(btCancel, 3, 4);
    grid->setColumnStretch(1, 1);
    resize(480, 150);
    LoadTexts();
    connect(FJob, &TTransferJob::progress, this, &TFileUploadFrm::ShowProgress);
    connect(BtSelectPath, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this);
        if (!file.isEmpty()) EdtPath->setText(file);
    });
    connect(BtUpload, &QPushButton::clicked, this, &TFileUploadFrm::BtUploadClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::close);
    connect(cbxFilePrt, &QCheckBox::clicked, this, &TFileUploadFrm::cbxFilePrtClick);
    connect(lblEditPrt, &QLabel::linkActivated, this, &TFileUploadFrm::cbxFilePrtClick);
}

TFileUploadFrm::~TFileUploadFrm() = default;

void TFileUploadFrm::LoadTexts() {
    const bool cn = FLink.Language == HSL_CN;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_ErrSize = cn ? u"上传失败，文件大小超出服务器设置的允许上传文件的大小"_s
                     : u"Upload failed, because the file size exceeds the upload file size limit"_s;
    WLS_ErrKind = cn ? u"上传失败，文件类型不在服务器端允许范围内！"_s
                     : u"Upload failed because the file type is not allowed to upload to the server!"_s;
    WLS_UploadOK = cn ? u"上传成功！"_s : u"Upload successful!"_s;
    WLS_SameFile = cn ? u"存在相同文件！"_s : u"There is the same file!"_s;
    WLS_ChkPath = cn ? u"请检查文件路径"_s : u"Please check the file path"_s;
    WLS_IsContinue = cn ? u"是否继续？"_s : u"Continue or not?"_s;
    setWindowTitle(cn ? u"文件上传"_s : u"File Upload"_s);
    auto* grid = static_cast<QGridLayout*>(layout());
    static_cast<QLabel*>(grid->itemAtPosition(0, 0)->widget())->setText(cn ? u"路径："_s : u"Path:"_s);
    static_cast<QLabel*>(grid->itemAtPosition(1, 0)->widget())
        ->setText(cn ? u"进度："_s : u"Progress:"_s);
    BtSelectPath->setText(cn ? u"选择"_s : u"Select"_s);
    BtUpload->setText(cn ? u"上传"_s : u"Upload"_s);
    btCancel->setText(cn ? u"取消"_s : u"Cancel"_s);
    cbxFilePrt->setText(cn ? u"文件属性"_s : u"File attributes"_s);
    lblEditPrt->setText(u"<a href=\"#\">"_s + (cn ? u"修改属性"_s : u"Modify attributes"_s) +
                        u"</a>"_s);
    ApplyFormFont(this, FLink.Language);
}

void TFileUploadFrm::Init(std::int32_t GroupId, QTreeWidget* ListItems, std::int64_t FolderId) {
    FOwnerId = GroupId;
    FList = ListItems;
    FFolderId = FolderId;
    FClosing = false;
    FJob->ResetCancel();
}

bool TFileUploadFrm::IsBusy() const {
    return FJob->IsBusy();
}

void TFileUploadFrm::closeEvent(QCloseEvent* event) {
    FJob->Cancel();
    FClosing = true;
    hide();
    event->ignore();
}

void TFileUploadFrm::SetControls(bool enabled) {
    BtSelectPath->setEnabled(enabled);
    BtUpload->setEnabled(enabled);
}

void TFileUploadFrm::WithLimits(std::function<void()> then) {
    if (FLimitsRead) {
        then();
        return;
    }
    auto limits = std::make_shared<std::pair<std::int32_t, QVector<std::int32_t>>>();
    FJob->Run(
        FLink, kRequestTimeoutMs,
        [limits](TRobotTcpClient& client) {
            limits->first = client.GetMaxFileSize();
            limits->second = client.GetFileType();
            return 0;
        },
        [this, limits, then](int, const QString&) {
            FLimitsRead = true;
            FMaxSize = UploadLimitBytes(limits->first);
            FTypes = AllowedTypes(limits->second);
            then();
        });
}

TTidyFile TFileUploadFrm::Describe(const QString& path) const {
    TTidyFile file;
    file.Path = path;
    file.PathHash = HashText64(path);
    file.NameHash = HashText32(path);
    TFileOperator().GetFileSizeAndModifyTime(path, file.Size, file.ModifyDT);
    file.Kind = TFileOperator::GetFileExtType2(path);
    file.Dealed = DL_New;
    if (cbxFilePrt->isChecked()) file.FilePrt = FFilePrt;
    return file;
}

QString TFileUploadFrm::LimitRefusal(const TTidyFile& file) const {
    if (file.Size > FMaxSize)
        return WLS_ErrSize + u"("_s + QString::number(FMaxSize / (1024 * 1024)) + u" M)!"_s;
    if (!FTypes.isEmpty() && !FTypes.contains(file.Kind)) return WLS_ErrKind;
    return QString();
}

void TFileUploadFrm::BtUploadClick() {
    const QString path = EdtPath->text();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        QMessageBox::information(this, WLS_Hint, WLS_ChkPath);
        return;
    }
    SetControls(false);
    ProgressBar1->setMaximum(0);
    WithLimits([this, path] {
        const TTidyFile file = Describe(path);
        const QString refusal = LimitRefusal(file);
        if (!refusal.isEmpty()) {
            QMessageBox::information(this, WLS_Hint, refusal);
            SetControls(true);  // the user may choose another file
            emit uploadFinished();
            return;
        }
        auto key = std::make_shared<std::int64_t>(0);
        FJob->Run(
            FLink, kTransferTimeoutMs,
            [this, file, key](TRobotTcpClient& client) {
                return int(client.UploadFile(FOwnerId, QString(), FFolderId, file, *key));
            },
            [this, file, key](int result, const QString& error) {
                SingleDone(file, result, *key, error);
            });
    });
}

void TFileUploadFrm::SingleDone(const TTidyFile& file, int result, std::int64_t key,
                                const QString& error) {
    if (!FClosing) {
        if (result == RC_CanUpload) {
            ProgressBar1->setValue(ProgressBar1->maximum());
            AddListItem(file, key);
            QMessageBox::information(this, WLS_Hint, WLS_UploadOK);
        } else if (result == RC_NoChange) {
            QMessageBox::information(this, WLS_Hint, WLS_SameFile);
        } else {
            QMessageBox::information(this, WLS_Hint, error);
        }
    }
    EdtPath->clear();
    SetControls(true);
    emit uploadFinished();
}

void TFileUploadFrm::AddListItem(const TTidyFile& file, std::int64_t key) {
    if (!FList) return;
    const QString name = nameOf(file.Path);
    for (int i = 0; i < FList->topLevelItemCount(); ++i)
        if (FList->topLevelItem(i)->text(FC_Name) == name) return;
    auto* row = new QTreeWidgetItem(FList);
    const int image = GetFileIconIndex(name);
    row->setIcon(FC_Name, FileListIcon(image));
    row->setData(FC_Name, kImageRole, image);
    row->setCheckState(FC_Name, Qt::Unchecked);
    row->setText(FC_Name, name);
    row->setText(FC_Size, SizeInKB(file.Size));
    row->setText(FC_Time, DateTimeToText(file.ModifyDT));
    row->setText(FC_Id, QString::number(key));
    row->setText(FC_IsFolder, u"0"_s);
}

void TFileUploadFrm::ShowProgress(qint64 allSize, qint64 doneSize) {
    const qint64 total = allSize / 1024 + 1, done = doneSize / 1024 + 1;
    if (ProgressBar1->maximum() == 0) ProgressBar1->setMaximum(int(std::min<qint64>(total + 1, INT_MAX)));
    ProgressBar1->setValue(int(std::min<qint64>(done, ProgressBar1->maximum())));
    lbSize->setText(QString::number(done) + u"/"_s + QString::number(total) + u"K"_s);
}

void TFileUploadFrm::cbxFilePrtClick() {
    if (!cbxFilePrt->isChecked()) {
        lblEditPrt->hide();
        return;
    }
    if (!EditProperties) {
        cbxFilePrt->setChecked(false);  // no property page in this program
        return;
    }
    QString properties = FFilePrt;
    if (!EditProperties(properties)) return;
    FFilePrt = properties;
    lblEditPrt->show();
}

bool TFileUploadFrm::Ask(const QString& text) {
    return QMessageBox::question(this, WLS_Hint, text) == QMessageBox::Yes;
}

}  // namespace ov

#include "documents/uploads/uploaddragfilesfrm.h"

#include "documents/uploads/clipboardfiles.h"
#include "documents/uploads/uploadfile.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QString formatTwo(QString text, const QString& a, const QString& b) {
    const qsizetype first = text.indexOf(u"%s"_s);
    if (first < 0) return text;
    text.replace(first, 2, a);
    const qsizetype second = text.indexOf(u"%s"_s, first + a.size());
    if (second >= 0) text.replace(second, 2, b);
    return text;
}

int percent(qint64 all, qint64 done) {
    return all == 0 ? 100 : int(std::nearbyint(double(done) * 100.0 / double(all)));
}

}  // namespace

TUploadDragFilesFrm::TUploadDragFilesFrm(QWidget* parent) : QWidget(parent) {
    setObjectName(u"UploadDragFilesFrm"_s);
    setWindowTitle(u"Upload Clipboard Files"_s);
    FHS_Language = Access.Language;
    Access.ReadTimeoutMs = 40000;
    setFont(QFont(FHS_Language == HSL_CN ? u"宋体"_s : u"Tahoma"_s, 9));
    LoadTexts();
    CreateWidgets();
    resize(520, 360);
}

TUploadDragFilesFrm::~TUploadDragFilesFrm() = default;

void TUploadDragFilesFrm::LoadTexts() {
    const THS_Language l = FHS_Language;
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_UploadErr = LangText(l, u"上传失败，错误原因如下："_s, u"Upload failed error: "_s);
    WLS_UploadOk = LangText(l, u"已成功上传"_s, u"Successfully upload"_s);
    WLS_CurrentFile = LangText(l, u"当前文件："_s, u"Current: "_s);
    WLS_ErrorNum = LangText(l, u"上传失败个数："_s, u"Upload Failed number: "_s);
    WLS_NoFile = LangText(l, u"先在资源管理器中拷贝文件，然后此窗口粘贴上传文件"_s,
                          u"Copy files in the windows explorer, then paste them in this window "
                          u"for being uploaded automatically "_s);
    WLS_NumDesc = LangText(l, u"共有文件%s个，已经完成%s个"_s, u"There are %s files, has completed %s"_s);
    WLS_SizeIsZero =
        LangText(l, u"上传文件大小不能为0"_s, u"The size of uploaded file cannot be 0 !"_s);
}

void TUploadDragFilesFrm::CreateWidgets() {
    lbCurrent = new QLabel(WLS_CurrentFile, this);
    lbCurrent->setObjectName(u"lbCurrent"_s);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(u"ProgressBar1"_s);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    lbT = new QLabel(WLS_UploadOk, this);
    lbT->setObjectName(u"lbT"_s);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    Memo1 = new QPlainTextEdit(GroupBox1);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setReadOnly(true);
    auto* box = new QVBoxLayout(GroupBox1);
    box->addWidget(Memo1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbCurrent);
    layout->addWidget(ProgressBar1);
    layout->addWidget(lbT);
    layout->addWidget(GroupBox1, 1);
}

void TUploadDragFilesFrm::Uplad() {
    Uplad(QApplication::clipboard());
}

void TUploadDragFilesFrm::Uplad(QClipboard* clipboard) {
    if (FRunning) return;
    PFileList = TakeClipboardFiles(clipboard);
    if (PFileList.isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_NoFile, false);
        return;
    }
    UploadList();
}

void TUploadDragFilesFrm::UploadList() {
    FRunning = true;
    FFailed = 0;
    ProgressBar1->setMaximum(100);
    NextFile(0);
}

void TUploadDragFilesFrm::NextFile(int index) {
    if (index >= PFileList.size()) {
        if (FFailed > 0) lbT->setText(lbT->text() + u", "_s + WLS_ErrorNum + QString::number(FFailed));
        FRunning = false;
        emit finished();
        return;
    }
    const QString path = PFileList[index];
    const QFileInfo info(path);
    lbCurrent->setText(WLS_CurrentFile + u": "_s + path + u"("_s +
                       QString::number(info.size() / 1024 + 1) + u" K)"_s);
    if (!info.isFile() || !info.isReadable() || info.size() == 0) {
        FileDone(index, WLS_SizeIsZero);
        return;
    }
    const auto progress = m_calls.QueuedProgress(
        [this](qint64 all, qint64 done) { ProgressBar1->setValue(percent(all, done)); });
    m_calls.Run<TUploadResult>(
        [access = Access, owner = FDestOwnerId, folder = FDestFolderId, path,
         cancel = m_calls.CancelFlag(), progress] {
            return UploadLocalFile(access, owner, folder, path, cancel, progress);
        },
        [this, index](const TUploadResult& r, const QString& error) {
            const QString text = !error.isEmpty() ? error : r.Ok ? QString() : r.Error;
            FileDone(index, text);
        });
}

void TUploadDragFilesFrm::FileDone(int index, const QString& message) {
    const QString& path = PFileList[index];
    if (message.isEmpty()) {
        Memo1->appendPlainText(path);
    } else {
        ++FFailed;
        Memo1->appendPlainText(path + u"  --  "_s + WLS_UploadErr + message);
    }
    lbT->setText(formatTwo(WLS_NumDesc, QString::number(PFileList.size()),
                           QString::number(index + 1)));
    NextFile(index + 1);
}

}  // namespace ov

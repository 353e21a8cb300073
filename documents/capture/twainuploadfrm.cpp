#include "documents/capture/twainuploadfrm.h"

#include "core/paths.h"
#include "documents/capture/pageimage.h"
#include "documents/uploads/uploadfile.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// One page as "base.jpg" in a private folder of its own, uploaded and deleted.
TUploadResult UploadPage(const TServerAccess& access, const QString& file, const QString& base,
                         std::int32_t owner, std::int64_t folder, std::atomic<bool>* cancel,
                         const std::function<void(qint64, qint64)>& progress) {
    QTemporaryDir dir(GetLocalTempPath() + u"ovjpg-XXXXXX"_s);
    const QString target = dir.filePath(base + u".jpg"_s);
    const QImage page(file);
    TUploadResult r;
    if (!dir.isValid() || page.isNull() || !page.save(target, "JPEG")) {
        r.Error = u"Cannot convert %1 to JPEG"_s.arg(file);
        return r;
    }
    return UploadLocalFile(access, owner, folder, target, cancel, progress);
}

}  // namespace

TTwainUploadFrm::TTwainUploadFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TwainUploadFrm"_s);
    FHS_Language = Access.Language;
    const THS_Language l = FHS_Language;
    setWindowTitle(LangText(l, u"上传扫描件"_s, u"Upload scanned documents"_s));
    setFont(QFont(l == HSL_CN ? u"宋体"_s : u"Arial"_s, 9));
    WLS_Ok = LangText(l, u"上传成功"_s, u"Upload successful"_s);
    WLS_Error = LangText(l, u"错误："_s, u"Error: "_s);
    WLS_Hint = LangText(l, u"提示"_s, u"Hint"_s);
    WLS_NoName = LangText(l, u"请输入文件名称！"_s, u"Please input file name!"_s);
    WLS_BadName = LangText(l, u"文件名称不能包含“/”或“\\”！"_s,
                           u"The file name cannot hold \"/\" or \"\\\"!"_s);
    Label1 = new QLabel(LangText(l, u"文件名称： "_s, u"File name: "_s), this);
    edtFileName = new QLineEdit(this);
    Label2 = new QLabel(LangText(l, u"文件格式为JPG"_s, u"JPG file format"_s), this);
    lblHint = new QLabel(this);
    lblHint->setWordWrap(true);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    btnUpload = new QPushButton(LangText(l, u"上传"_s, u"Upload"_s), this);
    for (auto [w, name] : {std::pair<QWidget*, const char16_t*>{Label1, u"Label1"},
                           {edtFileName, u"edtFileName"}, {Label2, u"Label2"},
                           {lblHint, u"lblHint"}, {ProgressBar1, u"ProgressBar1"},
                           {btnUpload, u"btnUpload"}})
        w->setObjectName(QString::fromUtf16(name));
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(edtFileName, 0, 1);
    grid->addWidget(Label2, 0, 2);
    grid->addWidget(lblHint, 1, 0, 1, 3);
    grid->addWidget(ProgressBar1, 2, 0, 1, 3);
    grid->addWidget(btnUpload, 3, 2);
    resize(420, 150);
    connect(btnUpload, &QPushButton::clicked, this, &TTwainUploadFrm::btnUploadClick);
}

TTwainUploadFrm::~TTwainUploadFrm() = default;

void TTwainUploadFrm::closeEvent(QCloseEvent* event) {
    if (FUploading) event->ignore();  // closing waits for the end of the upload
    else QDialog::closeEvent(event);
}

std::vector<TTwainUploadFrm::Page> TTwainUploadFrm::CollectPages(const QString& typed,
                                                                 bool& badName) {
    std::vector<Page> pages;
    badName = false;
    for (int i = 0;; ++i) {
        Page p;
        int all = 0;
        if (!OnUpladTwainFile(i, p.Owner, p.Folder, all, p.File)) break;
        const auto base = UploadBaseName(typed, i, all);
        if (!base) {
            badName = true;
            return {};
        }
        p.Base = *base;
        pages.push_back(p);
    }
    return pages;
}

void TTwainUploadFrm::btnUploadClick() {
    if (!OnUpladTwainFile || FUploading) return;
    FKeyList.clear();
    FFailed.clear();
    const QString typed = edtFileName->text();
    if (typed.trimmed().isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_NoName, false);
        edtFileName->setFocus();
        return;
    }
    bool badName = false;
    const std::vector<Page> pages = CollectPages(typed, badName);
    if (badName) {
        Ui.Tell(this, WLS_Hint, WLS_BadName, false);
        edtFileName->setFocus();
        return;
    }
    FUploading = true;
    btnUpload->setEnabled(false);
    lblHint->setText(LangText(FHS_Language, u"正在上传，请等待..."_s, u"Uploading,please wait..."_s));
    const auto progress = m_calls.QueuedProgress([this](qint64 all, qint64 done) {
        ProgressBar1->setValue(all == 0 ? 100 : int(std::nearbyint(done * 100.0 / double(all))));
    });
    m_calls.Run<Outcome>(
        [pages, access = Access, cancel = m_calls.CancelFlag(), progress] {
            Outcome o;
            for (size_t i = 0; i < pages.size(); ++i) {
                const Page& p = pages[i];
                const TUploadResult r =
                    UploadPage(access, p.File, p.Base, p.Owner, p.Folder, cancel, progress);
                if (r.Ok && r.Key > 0) o.Keys << QString::number(r.Key);
                else o.Failed << p.Base + u".jpg: "_s + r.Error;
            }
            return o;
        },
        [this](const Outcome& o, const QString& error) { Finish(o, error); });
}

void TTwainUploadFrm::Finish(const Outcome& outcome, const QString& error) {
    FUploading = false;
    FIsOver = true;
    FKeyList = outcome.Keys;
    FFailed = outcome.Failed;
    if (!error.isEmpty()) FFailed << error;
    emit uploadDone();
    if (FFailed.isEmpty()) {
        lblHint->setText(WLS_Ok);
        close();
        return;
    }
    lblHint->setText(WLS_Error + FFailed.join(u"; "_s));
}

}  // namespace ov

// The office editor's form: its command bar, texts and the document operations of its buttons.

#include "documents/editing/officefileedit.h"

#include "documents/editing/editbuttons.h"
#include "platform/officeeditor.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TOfficeFileEditFrm::TOfficeFileEditFrm(QWidget* parent, Qt::WindowFlags flags)
    : TFileEditBaseFrm(parent, flags), FindSuites([] { return platform::findOfficeSuites(); }) {
    setObjectName(u"OfficeFileEditFrm"_s);
    setWindowTitle(u"file edit"_s);
    resize(787, 607);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    QFont font(u"微软雅黑"_s);
    font.setPixelSize(12);
    setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BuildToolbar();
    FInfo = new QLabel(this);
    FInfo->setObjectName(u"lbEditInfo"_s);
    FInfo->setAlignment(Qt::AlignCenter);
    FInfo->setWordWrap(true);
    FInfo->setMargin(24);
    layout->addWidget(FPlToolbar);
    layout->addWidget(FInfo, 1);
    TOfficeFileEditFrm::InitLangStrings();
}

// A form freed without being closed still keeps what the user typed in its local copy.
TOfficeFileEditFrm::~TOfficeFileEditFrm() {
    if (FSession && !FFinished && !FCloseAll) FSession->request(u"save"_s, FEditFileName);
    FCloseAll = true;
    FSession.reset();  // closes the document and stops the office
}

void TOfficeFileEditFrm::BuildToolbar() {
    QHBoxLayout* row = nullptr;
    FPlToolbar = NewEditToolbarPanel(this, row);
    FSpbSave = NewEditToolbarButton(FPlToolbar, row, u"spbSave"_s, u"保存并上传文件"_s, 153);
    FSpbCancel = NewEditToolbarButton(FPlToolbar, row, u"spbCancel"_s, u"取消修改"_s, 104);
    auto* spacer = new QWidget(FPlToolbar);
    spacer->setObjectName(u"Panel1"_s);
    spacer->setFixedWidth(72);
    row->insertWidget(row->count() - 1, spacer);
    FSpbFind = NewEditToolbarButton(FPlToolbar, row, u"spbFind"_s, u"查找"_s, 72);
    FSpbPrint = NewEditToolbarButton(FPlToolbar, row, u"spbPrint"_s, u"打印"_s, 72);
    FSpbPrintPreview =
        NewEditToolbarButton(FPlToolbar, row, u"spbPrintPreview"_s, u"打印预览"_s, 104);
    connect(FSpbSave, &QToolButton::clicked, this, &TOfficeFileEditFrm::spbSaveClick);
    connect(FSpbCancel, &QToolButton::clicked, this, &TOfficeFileEditFrm::spbCancelClick);
    connect(FSpbFind, &QToolButton::clicked, this, &TOfficeFileEditFrm::EditFind);
    connect(FSpbPrint, &QToolButton::clicked, this, [this] { Print(QString()); });
    connect(FSpbPrintPreview, &QToolButton::clicked, this,
            &TOfficeFileEditFrm::spbPrintPreviewClick);
}

void TOfficeFileEditFrm::InitLangStrings() {
    TFileEditBaseFrm::InitLangStrings();
    const bool cn = FHS_Language == HSL_CN;
    if (!cn && FHS_Language != HSL_ENG) return;
    QFont font = this->font();
    font.setFamily(cn ? u"宋体"_s : u"Tahoma"_s);
    setFont(font);
    WLS_CancelEdit = cn ? u"确认取消编辑？"_s : u"Confirm cancel editing?"_s;
    WLS_PrintPreview = cn ? u"打印预览"_s : u"Print preview"_s;
    WLS_PrintPreviewCancel = cn ? u"取消打印预览"_s : u"Cancel preview"_s;
    WLS_UpladeOver = cn ? u"修改成功！"_s : u"Modified successfully!"_s;
    WLS_EditingIn = cn ? u"文档“%1”已在办公软件窗口中打开，修改后请在此点击“保存并上传文件”。"_s
                       : u"The document \"%1\" is open in the office window. When your changes "
                         u"are done, click \"Save and upload\" here."_s;
    WLS_WpsNote = cn ? u"请先在WPS中保存文档，再点击“保存并上传文件”。"_s
                     : u"Save the document in WPS first, then click \"Save and upload\"."_s;
    if (!FSpbSave) return;
    if (!cn) {
        FSpbSave->setText(u"Save and upload"_s);
        FSpbCancel->setText(u"Cancel"_s);
        FSpbFind->setText(u"Find"_s);
        FSpbPrint->setText(u"Print"_s);
        FSpbPrintPreview->setText(u"Print preview"_s);
    }
    for (QToolButton* button : {FSpbSave, FSpbCancel, FSpbFind, FSpbPrint, FSpbPrintPreview})
        ColourEditToolbarButton(button);
}

void TOfficeFileEditFrm::spbSaveClick() {
    SaveUploadAndClose(WLS_UpladeOver);
}

void TOfficeFileEditFrm::spbCancelClick() {
    ConfirmCancelAndClose(WLS_CancelEdit);
}

void TOfficeFileEditFrm::spbPrintPreviewClick() {
    FInPrintPreview = !FInPrintPreview;
    FSpbPrintPreview->setText(FInPrintPreview ? WLS_PrintPreviewCancel : WLS_PrintPreview);
    if (FInPrintPreview) PrintPreview();
    else PrintPreviewExit();
}

// A close while the edit is neither uploaded nor cancelled keeps what the user typed: the
// document is saved into the local copy, which stays with its check-out record.
void TOfficeFileEditFrm::closeEvent(QCloseEvent* event) {
    if (FBusy > 0) return event->ignore();
    CloseOleObject();
    TFileEditBaseFrm::closeEvent(event);
}

void TOfficeFileEditFrm::ClientMaxSize(float) {}

// The panel lays itself out; the document has a window of its own.
void TOfficeFileEditFrm::ClientMax2() {}

}  // namespace ov

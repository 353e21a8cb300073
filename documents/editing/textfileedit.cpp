// The text editor's form: its widgets, texts and tools.

#include "documents/editing/textfileedit.h"

#include "documents/editing/editbuttons.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TTextFileEditFrm::TTextFileEditFrm(QWidget* parent, Qt::WindowFlags flags)
    : TFileEditBaseFrm(parent, flags) {
    setObjectName(u"TextFileEditFrm"_s);
    resize(763, 595);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolbars();
    FEditor = new QPlainTextEdit(this);
    FEditor->setObjectName(u"Editor"_s);
    FEditor->setFrameShape(QFrame::NoFrame);
    FEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    FEditor->document()->setDocumentMargin(6);
    layout->addWidget(FPlToolbar);
    layout->addWidget(FStandardToolBar);
    layout->addWidget(FEditor, 1);
    FillFontNames();
    TTextFileEditFrm::InitLangStrings();
}

void TTextFileEditFrm::BuildToolbars() {
    QHBoxLayout* row = nullptr;
    FPlToolbar = NewEditToolbarPanel(this, row);
    FSpbSave = NewEditToolbarButton(FPlToolbar, row, u"spbSave"_s, u"保存并上传文件"_s, 153);
    FSpbCancel = NewEditToolbarButton(FPlToolbar, row, u"spbCancel"_s, u"取消修改"_s, 104);
    connect(FSpbSave, &QToolButton::clicked, this, &TTextFileEditFrm::spbSaveClick);
    connect(FSpbCancel, &QToolButton::clicked, this, &TTextFileEditFrm::spbCancelClick);
    BuildStandardToolBar();
}

void TTextFileEditFrm::BuildStandardToolBar() {
    FStandardToolBar = new QToolBar(this);
    FStandardToolBar->setObjectName(u"StandardToolBar"_s);
    FStandardToolBar->setFixedHeight(30);
    // A tool shows its theme icon, or its short name where the desktop has none; its hint is
    // the tool tip.
    const auto addTool = [this](const char16_t* name, const char16_t* hint, const char16_t* icon,
                                auto slot) {
        const QString label = QString::fromUtf16(name).chopped(6);  // "CutButton" -> "Cut"
        QAction* action =
            FStandardToolBar->addAction(QIcon::fromTheme(QString::fromUtf16(icon)), label);
        action->setObjectName(QString::fromUtf16(name));
        action->setToolTip(QString::fromUtf16(hint));
        connect(action, &QAction::triggered, this, [this, slot] { (FEditor->*slot)(); });
    };
    addTool(u"CutButton", u"Delete selected item", u"edit-cut", &QPlainTextEdit::cut);
    addTool(u"CopyButton", u"Copy selected item to clipboard", u"edit-copy",
            &QPlainTextEdit::copy);
    addTool(u"PasteButton", u"Paste contents of clipboard", u"edit-paste",
            &QPlainTextEdit::paste);
    addTool(u"UndoButton", u"Undo the last action", u"edit-undo",
            &QPlainTextEdit::undo);
    FStandardToolBar->addSeparator();
    FFontName = new QComboBox(FStandardToolBar);
    FFontName->setObjectName(u"FontName"_s);
    FFontName->setFixedWidth(173);
    FFontName->setMaxVisibleItems(10);
    FFontName->setToolTip(u"Select font name"_s);
    FStandardToolBar->addWidget(FFontName);
    FFontSize = new QSpinBox(FStandardToolBar);
    FFontSize->setObjectName(u"FontSize"_s);
    FFontSize->setRange(1, 1638);
    FFontSize->setValue(10);
    FFontSize->setToolTip(u"Select font size"_s);
    FStandardToolBar->addWidget(FFontSize);
    connect(FFontName, &QComboBox::currentTextChanged, this, &TTextFileEditFrm::FontNameChange);
    connect(FFontSize, &QSpinBox::valueChanged, this, &TTextFileEditFrm::FontSizeChange);
}

void TTextFileEditFrm::FillFontNames() {
    FUpdating = true;
    QStringList names;
    for (const QString& family : QFontDatabase::families())
        names.append(family.left(32));
    names.sort();
    names.removeDuplicates();
    FFontName->addItems(names);
    FFontName->setCurrentText(FEditor->font().family());
    FUpdating = false;
}

void TTextFileEditFrm::InitLangStrings() {
    TFileEditBaseFrm::InitLangStrings();
    const bool cn = FHS_Language == HSL_CN;
    if (!cn && FHS_Language != HSL_ENG) return;
    QFont font = this->font();
    font.setFamily(cn ? u"宋体"_s : u"Tahoma"_s);
    if (!cn) font.setPointSize(9);
    setFont(font);
    WLS_CancelEdit = cn ? u"确认取消编辑？"_s : u"Confirm cancel editing?"_s;
    WLS_UpladeOver = cn ? u"修改成功！"_s : u"Modified successfully!"_s;
    if (FSpbSave && !cn) {
        FSpbSave->setText(u"Save and upload"_s);
        FSpbCancel->setText(u"Cancel"_s);
    }
    if (FSpbSave) {
        ColourEditToolbarButton(FSpbSave);
        ColourEditToolbarButton(FSpbCancel);
    }
}

void TTextFileEditFrm::showEvent(QShowEvent* event) {
    TFileEditBaseFrm::showEvent(event);
    FEditor->setFocus();
}

void TTextFileEditFrm::FontNameChange() {
    if (FUpdating) return;
    QFont font = FEditor->font();
    font.setFamily(FFontName->currentText());
    FEditor->setFont(font);
}

void TTextFileEditFrm::FontSizeChange() {
    if (FUpdating) return;
    QFont font = FEditor->font();
    font.setPointSize(FFontSize->value());
    FEditor->setFont(font);
}

}  // namespace ov

#include "client/editmonitor/editorguidefrm.h"

#include "core/globalconfig.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

struct GuideTexts {
    QString title, tips, never, close;
};

GuideTexts textsFor(bool cn) {
    if (cn)
        return {u"编辑提示："_s,
                u"1：编辑当前打开的文档，完成编辑后保存文档。\n\n"
                u"2：关闭编辑文档，系统会把当前编辑的文档保存到服务器。"_s,
                u"知道了，不再显示此提示窗口"_s, u"关闭"_s};
    return {u"Tips:"_s,
            u"1: You need save the currentlly open file after you finish editing.\n\n"
            u"2: The currentlly open file will be automatically saved on server when you close it."_s,
            u"To show this guide no more"_s, u"Close"_s};
}

}  // namespace

TEditorGuideFrm::TEditorGuideFrm(THS_Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(u"EditorGuideFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u" "_s);
    resize(441, 228);
    const bool cn = language == HSL_CN;
    QFont font(cn ? u"宋体"_s : u"Tahoma"_s);
    font.setPointSize(cn ? 10 : 9);
    setFont(font);
    const GuideTexts texts = textsFor(cn);
    auto* title = new QLabel(texts.title, this);
    title->setObjectName(u"lbH0"_s);
    title->setStyleSheet(u"color: navy; font-weight: bold"_s);
    auto* memo = new QPlainTextEdit(texts.tips, this);
    memo->setObjectName(u"Memo1"_s);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    FCheckBox = new QCheckBox(texts.never, this);
    FCheckBox->setObjectName(u"CheckBox1"_s);
    auto* button = new QPushButton(texts.close, this);
    button->setObjectName(u"Button1"_s);
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(memo),
                       static_cast<QWidget*>(FCheckBox), static_cast<QWidget*>(button)})
        layout->addWidget(w);
    auto* timer = new QTimer(this);
    timer->setObjectName(u"TimerMsg"_s);
    connect(timer, &QTimer::timeout, this, [this] {
        show();
        raise();
    });
    timer->start(800);
}

void TEditorGuideFrm::closeEvent(QCloseEvent* event) {
    if (FCheckBox->isChecked()) {
        auto config = GlobalConfig();
        config->SetDisplayEditGuide(false);
        config->Save();
    }
    QDialog::closeEvent(event);
}

}  // namespace ov

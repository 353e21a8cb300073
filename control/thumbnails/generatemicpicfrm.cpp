#include "control/thumbnails/generatemicpicfrm.h"

#include "core/paths.h"
#include "core/robottcpclient.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {
Q_LOGGING_CATEGORY(lcThumbs, "ov.control.thumbnails", QtInfoMsg)
}

TGenerateMicPicFrm::TGenerateMicPicFrm(THS_Language language, QWidget* parent)
    : QWidget(parent, Qt::Dialog) {
    setObjectName(u"GenerateMicPicFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    FRoot = GetLocalTempPath();
    CreateWidgets();
    LoadTexts(language);
    LayOut();
    connect(btStart, &QPushButton::clicked, this, &TGenerateMicPicFrm::btStartClick);
    connect(btCancel, &QPushButton::clicked, this, &QWidget::close);
}

void TGenerateMicPicFrm::Init(std::int32_t OwnerId, std::int64_t FolderId) {
    FOwnerId = OwnerId;
    FFOlderId = FolderId;
}

void TGenerateMicPicFrm::CreateWidgets() {
    auto named = [](auto* widget, const QString& name) {
        widget->setObjectName(name);
        return widget;
    };
    edFileType = named(new QLineEdit(this), u"edFileType"_s);
    cbIsReplace = named(new QCheckBox(this), u"cbIsReplace"_s);
    cbIsIncludeSub = named(new QCheckBox(this), u"cbIsIncludeSub"_s);
    cbIsIncludeSub->setChecked(true);
    Label1 = named(new QLabel(this), u"Label1"_s);
    Label2 = named(new QLabel(this), u"Label2"_s);
    Label2->setWordWrap(true);
    btStart = named(new QPushButton(this), u"btStart"_s);
    btCancel = named(new QPushButton(this), u"btCancel"_s);
    sbAx = named(new QScrollArea(this), u"sbAx"_s);
    AxPreview = named(new QLabel, u"AxPreview"_s);
    AxPreview->setFixedSize(880, ThumbHeight);
    AxPreview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sbAx->setWidget(AxPreview);
    sbAx->setFixedSize(900, 650);
}

// Chinese for Chinese, English for English; other languages keep the Chinese texts and take
// the English messages.
void TGenerateMicPicFrm::LoadTexts(THS_Language language) {
    const bool en = language == HSL_ENG;
    const auto l = [en](const QString& cn, const QString& e) { return en ? e : cn; };
    setWindowTitle(l(u"生成缩略图"_s, u"Generate thumbnails"_s));
    cbIsReplace->setText(l(u"是否覆盖原有的缩略图"_s, u"Overwrite the existing thumbnail"_s));
    cbIsIncludeSub->setText(l(u"是否包含子目录"_s, u"Include subdirectories"_s));
    Label1->setText(l(u"文件类型："_s, u"File type:"_s));
    Label2->setText(l(u"*请输入文件后缀名，多种用逗号隔开，“all”表示全部类型"_s,
                      u"*Please enter a filename extension.\r\n If you have many types of "
                      u"filename extension, split them with comma. The ' all ' means all types "
                      u"of them."_s));
    btStart->setText(l(u"开始"_s, u"Start"_s));
    btCancel->setText(l(u"取消"_s, u"Cancel"_s));
    const bool cn = language == HSL_CN;
    WLS_FileKind = cn ? u"请输入文件类型！"_s : u"Please enter a file type!"_s;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    if (en) setFont(QFont(u"Tahoma"_s, 9));
}

void TGenerateMicPicFrm::LayOut() {
    auto* top = new QGridLayout;
    top->addWidget(Label1, 0, 0);
    top->addWidget(edFileType, 0, 1);
    top->addWidget(cbIsReplace, 0, 2);
    top->addWidget(cbIsIncludeSub, 0, 3);
    top->addWidget(btStart, 0, 4);
    top->addWidget(btCancel, 0, 5);
    top->addWidget(Label2, 1, 0, 1, 6);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(7, 7, 7, 7);
    layout->addLayout(top);
    layout->addWidget(sbAx);
    setFixedSize(914, 745);
}

void TGenerateMicPicFrm::AddLog(const QString& line) {
    Log.append(line);
    qCInfo(lcThumbs, "%s", qUtf8Printable(line));
}

void TGenerateMicPicFrm::btStartClick() {
    if (edFileType->text().trimmed().isEmpty()) {
        Ui.Tell(this, WLS_Hint, WLS_FileKind, false);
        return;
    }
    FIsIncludeSub = cbIsIncludeSub->isChecked();
    FIsReplace = cbIsReplace->isChecked();
    btStart->setEnabled(false);
    const QString cond = ThumbCondition(edFileType->text(), FIsReplace);
    m_calls.Run<QString>(
        [access = Access, owner = FOwnerId, folder = FFOlderId, sub = FIsIncludeSub, cond] {
            return access.NewClient()->GetNewVer(owner, folder, sub, cond);
        },
        [this](const QString& reply, const QString& error) {
            if (!error.isEmpty()) AddLog(error);
            FItems = ParseThumbList(reply);
            Next(0);
        });
}

void TGenerateMicPicFrm::Next(int index) {
    if (index >= FItems.size()) {
        emit finished();
        close();
        return;
    }
    m_calls.Run<TThumbOutcome>(
        [access = Access, root = FRoot, item = FItems[index], convert = Convert] {
            return MakeThumbnail(access, root, item, convert);
        },
        [this, index](const TThumbOutcome& out, const QString& error) {
            if (!error.isEmpty()) AddLog(error);
            if (!out.Log.isEmpty()) AddLog(out.Log);
            if (out.Uploaded) ++Uploaded;
            if (!out.Picture.isNull()) {
                AxPreview->setFixedSize(out.Picture.size());
                AxPreview->setPixmap(QPixmap::fromImage(out.Picture));
                sbAx->verticalScrollBar()->setValue(0);
            }
            Next(index + 1);
        });
}

}  // namespace ov::control

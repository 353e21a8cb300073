#include "client/serverdialogs/messagenoticefrm.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "core/datetime.h"
#include "core/globalconfig.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr TDateTime kLifetime = 0.000347222;  // 30 seconds

}  // namespace

TMessageNoticeFrm::TMessageNoticeFrm(std::function<void(int)> setMsgType, QWidget* parent)
    : QWidget(parent), FDt(Now()), FSetMsgType(std::move(setMsgType)) {
    setObjectName(u"MessageNoticeFrm"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    setStyleSheet(u"#MessageNoticeFrm { background: #fffbe6; border: 1px solid #c8b46e; }"_s);
    Label1 = new QLabel(this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->setWordWrap(true);
    rbHour = new QRadioButton(this);
    rbHour->setObjectName(u"rbHour"_s);
    rbDay = new QRadioButton(this);
    rbDay->setObjectName(u"rbDay"_s);
    rbWeek = new QRadioButton(this);
    rbWeek->setObjectName(u"rbWeek"_s);
    Button1 = new QPushButton(this);
    Button1->setObjectName(u"Button1"_s);
    auto* title = new QLabel(this);
    title->setObjectName(u"Caption"_s);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(rbHour), static_cast<QWidget*>(rbDay),
                       static_cast<QWidget*>(rbWeek)})
        layout->addWidget(w);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    LoadTexts(GlobalConfig()->SysLanguage());
    title->setText(u"<b>"_s + windowTitle() + u"</b>"_s);
    OpenUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    connect(Label1, &QLabel::linkActivated, this,
            [this] { OpenUrl(GlobalConfig()->ServerUrl() + u"/doc"_s); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    Timer2 = new QTimer(this);
    Timer2->setObjectName(u"Timer2"_s);
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    Timer2->start();
}

void TMessageNoticeFrm::LoadTexts(THS_Language language) {
    const bool cn = language == HSL_CN;
    const QString link = cn ? u"您有文档消息未处理，请点击查看！"_s
                            : u"You have some messages, please click to view!"_s;
    Label1->setText(u"<a href=\"#\" style=\"color:navy; text-decoration:underline\">"_s + link +
                    u"</a>"_s);
    rbHour->setText(cn ? u"一小时内不提醒"_s : u"Not remind me within one hour"_s);
    rbDay->setText(cn ? u"一天内不提醒"_s : u"Not remind me one today"_s);
    rbWeek->setText(cn ? u"一周内不提醒"_s : u"Not remind me one week"_s);
    Button1->setText(cn ? u"关闭"_s : u"Close"_s);
    setWindowTitle(cn ? u"系统消息提醒"_s : u"Systems--message alerts"_s);
}

void TMessageNoticeFrm::Timer2Timer() {
    const TDateTime now = Clock ? Clock() : Now();
    if (now - FDt > kLifetime) close();
}

void TMessageNoticeFrm::Button1Click() {
    const int choice = rbHour->isChecked() ? 1 : rbDay->isChecked() ? 2 : rbWeek->isChecked() ? 3 : 0;
    if (choice != 0 && FSetMsgType) FSetMsgType(choice);
    close();
}

}  // namespace ov

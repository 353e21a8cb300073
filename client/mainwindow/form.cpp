// The main window's controls, menus and texts.

#include <QApplication>
#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include "client/mainwindow/icons.h"
#include "client/mainwindow/mainwindow.h"
#include "client/mainwindow/servertexts.h"
#include "core/globalconfig.h"
#include "platform/desktopopen.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Colours as the form gives them (blue, green, red from the low byte up).
const QString kBarBlue = u"#00266e"_s;      // 7218688
const QString kUserBarGrey = u"#e8e8e8"_s;  // 15263976
const QString kCloseRed = u"#e81123"_s;     // 2298344

// The pictures: light on the blue bar, grey on the user bar; white under the mouse.
const QColor kBarPicture(0xc8, 0xd3, 0xea);
const QColor kUserBarPicture(0x55, 0x55, 0x55);

QToolButton* iconButton(QWidget* parent, TBarPicture picture, const QString& hint, QSize size,
                        const QColor& normal = kBarPicture, const QColor& hover = Qt::white) {
    auto button = new QToolButton(parent);
    button->setIcon(BarIcon(picture, normal, hover));
    button->setIconSize(QSize(30, 30).boundedTo(size));
    button->setFixedSize(size);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

template <typename Slot>
QAction* addMenuItem(QMenu* menu, const QString& caption, const QString& name, Slot slot) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, menu, slot);
    return action;
}

}  // namespace

void TQUEXClientFrm::LoadTexts() {
    const bool english = FHS_Language == HSL_ENG;
    WLS_Hint = english ? u"Hint"_s : u"提示"_s;
    WLS_PleaseLogin = english ? u"Please login"_s : u"请先登录系统！"_s;
    WLS_Welcome = english ? u"Welcome:"_s : u"欢迎："_s;
    WLS_NoBrowser = english ? u"The server's page could not be opened: no web browser was found. "
                              u"Install a web browser, then press the home button again."_s
                            : u"无法打开服务器主页：没有找到网页浏览器。请安装网页浏览器后再点击"
                              u"“首页”。"_s;
    setWindowTitle(u"Ov client tools"_s);
    setFont(english ? QFont(u"Tahoma"_s, 9) : QFont(u"宋体"_s, 9));
}

void TQUEXClientFrm::BuildForm() {
    setObjectName(u"QUEXClientFrm"_s);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    resize(800, 640);
    auto central = new QWidget(this);
    auto row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(BuildIconBar());
    auto column = new QVBoxLayout;
    column->setSpacing(0);
    column->addWidget(BuildUserBar());
    m_workArea = new QWidget(central);
    m_workArea->setObjectName(u"plWork"_s);
    m_workArea->setStyleSheet(u"#plWork { background: white; }"_s);
    m_workArea->setAttribute(Qt::WA_StyledBackground);
    column->addWidget(m_workArea, 1);
    row->addLayout(column, 1);
    setCentralWidget(central);
    BuildMenus();
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_trayMenu->popup(mapToGlobal(at)); });
}

QWidget* TQUEXClientFrm::BuildIconBar() {
    const bool english = FHS_Language == HSL_ENG;
    auto bar = new QWidget(this);
    bar->setObjectName(u"Panel2"_s);
    bar->setFixedWidth(62);
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(
        u"#Panel2 { background: %1; } QToolButton:hover { background: #1a4a9e; }"_s.arg(kBarBlue));
    auto column = new QVBoxLayout(bar);
    column->setContentsMargins(6, 6, 6, 6);
    m_logo = new QLabel(bar);
    m_logo->setObjectName(u"imgLog"_s);
    m_logo->setFixedSize(50, 50);
    column->addWidget(m_logo);
    const QSize size(50, 50);
    auto home = iconButton(bar, TBarPicture::Home, english ? u"Main page"_s : u"首页"_s, size);
    home->setObjectName(u"imgHome"_s);
    connect(home, &QToolButton::clicked, this, &TQUEXClientFrm::OpenHomePage);
    column->addWidget(home);
    // The batch window and the file manager are brought to the front by these two.
    auto upload = iconButton(bar, TBarPicture::Transfer,
                             english ? u"Bulk upload/download"_s : u"批量上传下载"_s, size);
    connect(upload, &QToolButton::clicked, this, &TQUEXClientFrm::BatchToFront);
    column->addWidget(upload);
    auto files =
        iconButton(bar, TBarPicture::Files, english ? u"File management"_s : u"文件管理"_s, size);
    connect(files, &QToolButton::clicked, this, &TQUEXClientFrm::FileManagerToFront);
    column->addWidget(files);
    column->addStretch(1);
    auto config = iconButton(bar, TBarPicture::Settings, english ? u"Settings"_s : u"设置"_s, size);
    connect(config, &QToolButton::clicked, this, [this] { m_toolsMenu->popup(QCursor::pos()); });
    column->addWidget(config);
    auto exit = iconButton(bar, TBarPicture::Exit, english ? u"Exit"_s : u"退出客户端"_s, size);
    connect(exit, &QToolButton::clicked, this, &TQUEXClientFrm::Exit);
    column->addWidget(exit);
    return bar;
}

QWidget* TQUEXClientFrm::BuildUserBar() {
    m_userBar = new QLabel(this);
    m_userBar->setObjectName(u"plUserInfo"_s);
    // The user name comes from the server: shown as it is, never as markup.
    m_userBar->setTextFormat(Qt::PlainText);
    m_userBar->setFixedHeight(50);
    m_userBar->setStyleSheet(
        u"#plUserInfo { background: %1; color: grey; font-weight: bold; }"
        " QToolButton { border: none; }"
        " QToolButton:hover { background: white; }"
        " QToolButton#imgClose:hover { background: %2; }"_s.arg(kUserBarGrey, kCloseRed));
    SetUserInfoText(FHS_Language == HSL_ENG ? u"Not logged in"_s : u"未登录..."_s);
    auto row = new QHBoxLayout(m_userBar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch(1);
    const QSize size(46, 30);
    auto minimise =
        iconButton(m_userBar, TBarPicture::Minimise, QString(), size, kUserBarPicture, Qt::black);
    connect(minimise, &QToolButton::clicked, this, &QWidget::showMinimized);
    auto normal =
        iconButton(m_userBar, TBarPicture::Maximise, QString(), size, kUserBarPicture, Qt::black);
    connect(normal, &QToolButton::clicked, this, &TQUEXClientFrm::ToggleMaximized);
    auto closeButton =
        iconButton(m_userBar, TBarPicture::Close, QString(), size, kUserBarPicture, Qt::white);
    closeButton->setObjectName(u"imgClose"_s);
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    for (QToolButton* button : {minimise, normal, closeButton})
        row->addWidget(button, 0, Qt::AlignTop);
    return m_userBar;
}

void TQUEXClientFrm::BuildMenus() {
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(u"PopupMenu2"_s);
    QAction* closeClient =
        m_trayMenu->addAction(FHS_Language == HSL_ENG ? u"Close client"_s : u"关闭客户端系统"_s);
    closeClient->setObjectName(u"miCloseFrm"_s);
    connect(closeClient, &QAction::triggered, this, &TQUEXClientFrm::Exit);

    // These captions stay Chinese in both languages. The dialogs behind them belong to their
    // own modules, which set the hooks.
    m_toolsMenu = new QMenu(this);
    m_toolsMenu->setObjectName(u"pmTools"_s);
    addMenuItem(m_toolsMenu, u"系统登录"_s, u"tnLogin"_s, [this] { Call(FHooks.LoginFromMenu); });
    m_toolsMenu->addSeparator();
    addMenuItem(m_toolsMenu, u"服务器地址"_s, u"tnServerUrl"_s,
                [this] { Call(FHooks.ShowServerHostDialog); });
    addMenuItem(m_toolsMenu, u"工作目录"_s, u"tnWork"_s,
                [this] { Call(FHooks.ShowWorkPathDialog); });
    addMenuItem(m_toolsMenu, u"修改密码"_s, u"N2"_s, [this] {
        ShowPasswordDialog();
    })->setVisible(false);  // never shown
}

Qt::Edges TQUEXClientFrm::FrameEdgesAt(QPoint pos, QSize size, int border) {
    Qt::Edges sides;
    if (pos.x() < border) sides |= Qt::LeftEdge;
    if (pos.x() > size.width() - border) sides |= Qt::RightEdge;
    if (pos.y() < border) return Qt::TopEdge | sides;
    if (pos.y() > size.height() - border) return Qt::BottomEdge | sides;
    return sides;
}

bool TQUEXClientFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !windowHandle()) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (mouse->button() != Qt::LeftButton || !widget || widget->window() != this) return false;
    // A press on the frame's border resizes the borderless window from that side or corner.
    const Qt::Edges edges =
        FrameEdgesAt(mapFromGlobal(mouse->globalPosition().toPoint()), size(), kFrameBorder);
    if (edges && !isMaximized()) return windowHandle()->startSystemResize(edges);
    // Dragging the user bar moves the window, as a caption would.
    if (watched == m_userBar) return windowHandle()->startSystemMove();
    return false;
}

void TQUEXClientFrm::LoadLogo() {
    QPixmap logo;
    if (QFileInfo::exists(FLogoPath) && logo.load(FLogoPath))
        m_logo->setPixmap(
            logo.scaled(m_logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QString TQUEXClientFrm::HomePageUrl() {
    const auto config = GlobalConfig();
    return config->ServerUrl() + u"/index?opr=fromclient&sn="_s +
           ClientToken(config->EncryptUserID());
}

void TQUEXClientFrm::OpenHomePage() {
    platform::openWithDesktop(HomePageUrl(), this, [this](bool opened) {
        if (!opened) ShowNoBrowserHint();
    });
}

void TQUEXClientFrm::ShowNoBrowserHint() {
    auto* hint = new QMessageBox(QMessageBox::Information, WLS_Hint, WLS_NoBrowser,
                                 QMessageBox::Ok, this);
    hint->setObjectName(u"NoBrowserHint"_s);
    hint->setAttribute(Qt::WA_DeleteOnClose);
    hint->open();
}

}  // namespace ov

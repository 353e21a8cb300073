// The shared wait and error window of the previewers.

#include "documents/preview/previewhint.h"

#include "core/globalconfig.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

QLabel* NewPicture(QWidget* parent, QStyle::StandardPixmap kind) {
    auto* picture = new QLabel(parent);
    picture->setGeometry(24, 30, 36, 36);
    picture->setPixmap(parent->style()->standardIcon(kind).pixmap(36, 36));
    picture->hide();
    return picture;
}

// The window the hint belongs over: its owner when that is on the screen, else the window the
// user works in; none when neither is shown (a main window hidden in the tray).
const QWidget* OwnerOnScreen(const QWidget* window) {
    const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (owner && owner->isVisible() && !owner->isMinimized()) return owner;
    const QWidget* active = QApplication::activeWindow();
    return active && active != window && active->isVisible() ? active : nullptr;
}

// The middle of the owner, else of the screen (never the corner of a hidden window's place).
QPoint CentreFor(const QWidget* window) {
    const QWidget* over = OwnerOnScreen(window);
    QRect area = over ? over->frameGeometry() : QRect();
    const QScreen* screen = over ? over->screen() : window->screen();
    if (area.isEmpty() && screen) area = screen->availableGeometry();
    const QPoint corner = area.center() - QPoint(window->width() / 2, window->height() / 2);
    // Over an owner near the edge the hint stays whole on the screen.
    if (!screen) return corner;
    const QRect room = screen->availableGeometry();
    return QPoint(std::clamp(corner.x(), room.left(), std::max(room.left(), room.right() - window->width())),
                  std::clamp(corner.y(), room.top(), std::max(room.top(), room.bottom() - window->height())));
}

}  // namespace

TPreViewHint::TPreViewHint(QWidget* parent, bool embedded)
    : TPreViewHint(GlobalConfig()->SysLanguage(), parent, embedded) {}

TPreViewHint::TPreViewHint(THS_Language language, QWidget* parent, bool embedded)
    : QWidget(parent, embedded ? Qt::Widget : Qt::Dialog) {
    resize(506, 200);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);
    WaitPicture = NewPicture(this, QStyle::SP_MessageBoxInformation);
    ErrorPicture = NewPicture(this, QStyle::SP_MessageBoxCritical);
    WaitPicture->setObjectName(u"Image1"_s);
    ErrorPicture->setObjectName(u"Image2"_s);
    HintMemo = new QPlainTextEdit(this);
    HintMemo->setObjectName(u"Memo1"_s);
    HintMemo->setGeometry(80, 24, 400, 142);
    HintMemo->setFrameShape(QFrame::NoFrame);
    HintMemo->setReadOnly(true);
    HintMemo->setFocusPolicy(Qt::NoFocus);
    FormCreate(language);
}

void TPreViewHint::FormCreate(THS_Language language) {
    if (language == HSL_CN) {
        setWindowTitle(u"提示"_s);
        setFont(QFont(u"宋体"_s, 12));
    } else if (language == HSL_ENG) {
        setWindowTitle(u"Hint"_s);
        setFont(QFont(u"Tahoma"_s, 10));
    } else {
        setWindowTitle(u"提示"_s);
        setFont(QFont(u"Tahoma"_s, 9));
    }
}

void TPreViewHint::ShowHint(const QString& HintStr, int PictureNum) {
    HintMemo->setPlainText(HintStr);
    const bool error = PictureNum == PictureError;
    ErrorPicture->setVisible(error);
    WaitPicture->setVisible(!error);
    if (isWindow() && !isVisible()) move(CentreFor(this));
    show();
    repaint();
    raise();
    if (isWindow()) activateWindow();
}

QString TPreViewHint::HintText() const {
    return HintMemo->toPlainText();
}

bool TPreViewHint::ShowsErrorPicture() const {
    return !ErrorPicture->isHidden();
}

bool TPreViewHint::ShowsWaitPicture() const {
    return !WaitPicture->isHidden();
}

}  // namespace ov

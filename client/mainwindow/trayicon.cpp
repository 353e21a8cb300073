#include "client/mainwindow/trayicon.h"

namespace ov {

namespace {

std::function<bool()>& trayProbe() {
    static std::function<bool()> probe;
    return probe;
}

}  // namespace

TrayIcon::TrayIcon(const QIcon& icon, const QString& toolTip, QObject* parent)
    : QObject(parent), m_icon(new QSystemTrayIcon(icon, this)) {
    m_icon->setToolTip(toolTip);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (const int code = mouseCode(reason)) emit activated(code);
            });
}

bool TrayIcon::hasTray() {
    return trayProbe() ? trayProbe()() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::setTrayProbe(std::function<bool()> probe) {
    trayProbe() = std::move(probe);
}

bool TrayIcon::show() {
    // Shown even without a notification area: Qt embeds the icon when one appears.
    m_icon->show();
    return hasTray();
}

void TrayIcon::hide() {
    m_icon->hide();
}

bool TrayIcon::isVisible() const {
    return m_icon->isVisible() && hasTray();
}

void TrayIcon::setToolTip(const QString& toolTip) {
    m_icon->setToolTip(toolTip);
}

void TrayIcon::setContextMenu(QMenu* menu) {
    m_icon->setContextMenu(menu);
}

bool TrayIcon::showMessage(const QString& title, const QString& text, int timeoutMs) {
    if (!isVisible() || !QSystemTrayIcon::supportsMessages()) return false;
    m_icon->showMessage(title, text, QSystemTrayIcon::Information, timeoutMs);
    return true;
}

int TrayIcon::mouseCode(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return kLeftButtonDown;
        case QSystemTrayIcon::DoubleClick:
            return kLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return kRightButtonDown;
        default:
            return 0;
    }
}

}  // namespace ov

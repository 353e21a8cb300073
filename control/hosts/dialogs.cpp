#include "control/hosts/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov::hosts {

namespace {

// Whether a button's text is one of the answers ("Confirm|Yes").
bool matches(QString buttonText, const QString& answers) {
    buttonText.remove(u'&');
    const QStringList texts = answers.split(u'|');
    return std::any_of(texts.begin(), texts.end(), [&](const QString& text) {
        return buttonText.compare(text, Qt::CaseInsensitive) == 0;
    });
}

QAbstractButton* buttonOf(QDialog& dialog, const QString& answers) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && matches(button->text(), answers)) return button;
    }
    return nullptr;
}

}  // namespace

DialogAnswerer::DialogAnswerer() : m_timer(new QTimer(this)) {
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &DialogAnswerer::answer);
}

void DialogAnswerer::answerWith(const QString& button, const QString& shotFolder) {
    m_button = button;
    m_shotFolder = shotFolder;
    if (button.isEmpty())
        m_timer->stop();
    else
        m_timer->start();
}

void DialogAnswerer::answer() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    // A dialog may name the button that "ok" presses; while it is disabled the dialog is busy.
    QPushButton* confirm = nullptr;
    if (const QString name = dialog->property("okButton").toString(); !name.isEmpty()) {
        confirm = dialog->findChild<QPushButton*>(name);
        if (confirm && !confirm->isEnabled()) return;
    }
    if (!m_shotFolder.isEmpty())
        dialog->grab().save(m_shotFolder + u"/dialog-"_s + QString::number(m_texts.size()) +
                            u".png"_s);
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        m_texts << box->windowTitle() + u": "_s + box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (matches(button->text(), m_button)) return button->click();
        }
        if (QAbstractButton* fallback = box->escapeButton()) return fallback->click();
        return box->done(0);
    }
    // A dialog with a button of that text is answered by it once the button may be pressed.
    if (auto* button = buttonOf(*dialog, m_button)) {
        if (!button->isEnabled()) return;
        m_texts << dialog->windowTitle();
        // Pressed once this tick is over: the press may open dialogs of its own, which the
        // following ticks answer.
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
        return;
    }
    m_texts << dialog->windowTitle();
    if (m_button.compare(u"cancel"_s, Qt::CaseInsensitive) == 0)
        dialog->reject();
    else if (confirm)
        confirm->click();
    else
        dialog->accept();
}

}  // namespace ov::hosts

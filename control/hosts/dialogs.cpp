#include "control/hosts/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ov::hosts {

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
            if (button->text().remove(u'&').compare(m_button, Qt::CaseInsensitive) == 0)
                return button->click();
        }
        if (QAbstractButton* fallback = box->escapeButton()) return fallback->click();
        return box->done(0);
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

#include "control/hosts/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
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
    m_stepped = nullptr;
    if (button.isEmpty())
        m_timer->stop();
    else
        m_timer->start();
}

void DialogAnswerer::answer() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
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
    if (dialog == m_stepped) return;
    m_texts << dialog->windowTitle();
    m_stepped = dialog;
    takeSteps(dialog);
}

void DialogAnswerer::takeSteps(QDialog* dialog) {
    const QPointer<QDialog> alive(dialog);
    for (const QString& step : m_button.split(u'|')) {
        if (!alive) return;
        if (step.compare(u"cancel"_s, Qt::CaseInsensitive) == 0) return dialog->reject();
        if (step.compare(u"ok"_s, Qt::CaseInsensitive) == 0) return dialog->accept();
        const qsizetype equals = step.indexOf(u'=');
        if (equals >= 0) {
            if (auto* edit = dialog->findChild<QLineEdit*>(step.left(equals)))
                edit->setText(step.mid(equals + 1));
            continue;
        }
        QAbstractButton* target = nullptr;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->objectName() == step || button->text().remove(u'&') == step)
                target = button;
        if (!target) return dialog->accept();  // any other answer means yes
        target->click();
    }
}

}  // namespace ov::hosts

#include "control/hosts/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace ov::hosts {

namespace {

bool isStep(const QString& step, QStringView word) {
    return step.compare(word, Qt::CaseInsensitive) == 0;
}

bool sameText(QString buttonText, const QString& step) {
    return buttonText.remove(u'&').compare(step, Qt::CaseInsensitive) == 0;
}

// The button a step names: by object name or text; for "ok", the one named in the dialog's
// "okButton" property.
QAbstractButton* buttonOf(QDialog& dialog, const QString& step) {
    if (isStep(step, u"ok")) {
        const QString name = dialog.property("okButton").toString();
        return name.isEmpty() ? nullptr : dialog.findChild<QAbstractButton*>(name);
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisible() && (button->objectName() == step || sameText(button->text(), step)))
            return button;
    }
    return nullptr;
}

template <class Object>
void later(Object* target, void (Object::*slot)()) {
    QMetaObject::invokeMethod(target, slot, Qt::QueuedConnection);
}

}  // namespace

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
    if (!dialog || dialog == m_stepped) return;
    if (!m_shotFolder.isEmpty())
        dialog->grab().save(m_shotFolder + u"/dialog-"_s + QString::number(m_texts.size()) +
                            u".png"_s);
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) return answerBox(box);
    takeSteps(dialog);
}

void DialogAnswerer::answerBox(QMessageBox* box) {
    m_texts << box->windowTitle() + u": "_s + box->text();
    for (const QString& step : m_button.split(u'|')) {
        for (QAbstractButton* button : box->buttons()) {
            if (sameText(button->text(), step)) return button->click();
        }
    }
    if (QAbstractButton* fallback = box->escapeButton()) return fallback->click();
    box->done(0);
}

void DialogAnswerer::takeSteps(QDialog* dialog) {
    const QStringList steps = m_button.split(u'|');
    for (const QString& step : steps) {
        if (QAbstractButton* button = buttonOf(*dialog, step); button && !button->isEnabled())
            return;  // busy: answered at a later tick
    }
    m_texts << dialog->windowTitle();
    m_stepped = dialog;
    bool acted = false;
    for (const QString& step : steps) {
        if (const qsizetype equals = step.indexOf(u'='); equals > 0) {
            if (auto* edit = dialog->findChild<QLineEdit*>(step.left(equals)))
                edit->setText(step.mid(equals + 1));
        } else if (isStep(step, u"cancel")) {
            return later(dialog, &QDialog::reject);
        } else if (QAbstractButton* button = buttonOf(*dialog, step)) {
            later(button, &QAbstractButton::click);
            acted = true;
        } else if (isStep(step, u"ok")) {
            return later(dialog, &QDialog::accept);
        }
    }
    if (!acted) later(dialog, &QDialog::accept);  // any other answer means yes
}

}  // namespace ov::hosts

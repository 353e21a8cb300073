#pragma once
// Answers the modal dialogs that members show, the way a tester would: every 50 ms the
// active modal dialog (if any) has its text recorded and is answered with the named button
// (a message box button by its text, or "ok"/"cancel" for other dialogs). Other dialogs may
// also be answered with steps joined by "|", taken once per dialog: "name=text" types into
// the edit box of that object name, any other step clicks the button of that object name or
// text, and "ok"/"cancel" close the dialog.

#include <QObject>
#include <QPointer>
#include <QStringList>

class QDialog;
class QTimer;

namespace ov::hosts {

class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    DialogAnswerer();
    // With a folder, each dialog is also saved there as a picture (dialog-N.png) first.
    void answerWith(const QString& button, const QString& shotFolder = {});
    QStringList texts() const { return m_texts; }

private:
    void answer();
    void takeSteps(QDialog* dialog);

    QTimer* m_timer;
    QString m_button;
    QString m_shotFolder;
    QStringList m_texts;
    QPointer<QDialog> m_stepped;  // the dialog whose steps were taken
};

}  // namespace ov::hosts

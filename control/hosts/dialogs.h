#pragma once
// Answers the modal dialogs that members show, the way a tester would: every 50 ms the
// active modal dialog (if any) has its text recorded and is answered. The answer is a list of
// steps joined by "|". A message box presses the first of its buttons that a step names (by
// text), else its escape button. Another dialog takes its steps once: "name=text" types into
// the edit box of that object name, a step naming a button (by object name or text) presses
// it, "ok" presses the button the dialog names in its "okButton" property, else accepts, and
// "cancel" rejects; a dialog none of whose steps fits is accepted. While a named button is
// disabled the dialog is busy and answered later. Presses are made after the answering tick,
// in order, so that dialogs they open are answered by the following ticks.

#include <QObject>
#include <QPointer>
#include <QStringList>

class QDialog;
class QMessageBox;
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
    void answerBox(QMessageBox* box);
    void takeSteps(QDialog* dialog);

    QTimer* m_timer;
    QString m_button;
    QString m_shotFolder;
    QStringList m_texts;
    QPointer<QDialog> m_stepped;  // the dialog whose steps were taken
};

}  // namespace ov::hosts

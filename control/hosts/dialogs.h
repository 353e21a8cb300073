#pragma once
// Answers the modal dialogs that members show, the way a tester would: every 50 ms the
// active modal dialog (if any) has its text recorded and is answered with the named button
// (a message box button by its text; in other dialogs the button of that text, once it may be
// pressed, else "cancel" rejects and anything else accepts). "Confirm|Yes" answers with
// whichever of the two a dialog offers. Without such a button, "ok" presses the button a
// dialog names in its "okButton" property.

#include <QObject>
#include <QStringList>

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

    QTimer* m_timer;
    QString m_button;
    QString m_shotFolder;
    QStringList m_texts;
};

}  // namespace ov::hosts

#pragma once
// The copy dialog of the control: a source and a destination path that the page fills in, and
// a "copy" button that copies the one file over the other on a worker thread. The dialog stays
// open after each copy until the user closes it; closing it waits for a running copy.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QThread;

namespace ov::control {

class TFilesCopyFrm final : public QDialog {
    Q_OBJECT
public:
    explicit TFilesCopyFrm(QWidget* owner);
    ~TFilesCopyFrm() override;

    QLineEdit* edtSrc;
    QLineEdit* edtDest;

    // What the "copy" button runs: the copy starts, and its end reports a failure.
    void CopyClick();

    // Copies `source` over `dest` through a temporary file beside it, so a failed copy
    // leaves an existing destination as it was. True on success.
    static bool CopyOver(const QString& source, const QString& dest);

protected:
    void done(int result) override;

private:
    void CopyFinished(bool copied, const QString& source, const QString& dest);

    QPushButton* m_copy;
    QThread* m_worker = nullptr;
};

}  // namespace ov::control

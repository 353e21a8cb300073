#pragma once
// The small outcome window of the online-edit monitor: an error or a hint with its picture; it
// hides itself 2 seconds after its last update.

#include <QDateTime>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace ov {

class THintFrm2 : public QWidget {
    Q_OBJECT
public:
    explicit THintFrm2(QWidget* parent = nullptr);

    // Writing shows the text with the error (or the hint) picture; reading gives "".
    void SetErrorStr(const QString& text);
    void SetHintStr(const QString& text);
    QString ErrorStr() const { return FHintStr; }
    QString HintStr() const { return FHintStr; }
    QString Text() const;
    bool ShowsError() const;
    // How long the window stays after its last update.
    int HideAfterMs = 2000;

private:
    void Update(const QString& text, bool error);
    void Tick();

    QPlainTextEdit* FMemo = nullptr;
    QLabel* FErrorImage = nullptr;
    QLabel* FHintImage = nullptr;
    QTimer* FTimer = nullptr;
    QDateTime FLastTime;
    QString FHintStr;
};

}  // namespace ov

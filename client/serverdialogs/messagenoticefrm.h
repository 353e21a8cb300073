#pragma once
// The notice of waiting server messages, embedded in the main window's work area. Its link
// opens the server's message page; its close button can put further notices off for an hour, a
// day or a week; nobody touching it, it closes itself after 30 seconds.

#include <QWidget>
#include <functional>

#include "core/types.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ov {

class TMessageNoticeFrm : public QWidget {
    Q_OBJECT
public:
    // `setMsgType` takes 1 (an hour), 2 (a day) or 3 (a week): the main window's message 0x501.
    explicit TMessageNoticeFrm(std::function<void(int)> setMsgType, QWidget* parent = nullptr);

    // How the link opens a page; tests put a recorder in place.
    std::function<void(const QString& url)> OpenUrl;
    TDateTime FDt;  // creation time
    TDateTime (*Clock)() = nullptr;

    QLabel* Label1;
    QRadioButton *rbHour, *rbDay, *rbWeek;
    QPushButton* Button1;
    QTimer* Timer2;

private:
    void LoadTexts(THS_Language language);
    void Timer2Timer();
    void Button1Click();

    std::function<void(int)> FSetMsgType;
};

}  // namespace ov

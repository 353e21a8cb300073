#pragma once
// The main window of the running instance, for now the part other processes talk to: it is
// found on the window bus under its class name and answers a second start by showing itself
// and taking the command file into the web-command queue.

#include <QMainWindow>

namespace ov::platform {
class BusWindow;
}

namespace ov {

class TQUEXClientFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TQUEXClientFrm(QWidget* parent = nullptr);
    ~TQUEXClientFrm() override;

    // Makes the window findable by other processes and queues a command file that is already
    // there; false when another instance's window already listens.
    bool ListenOnBus();
    // Shows the window, restored and in front.
    void ShowMainFrm();
    // Takes "WebCmd.txt" into the queue; true when a command was queued.
    bool TakeWebCommandFile();

signals:
    void webCommandQueued();

private:
    qint64 HandleMessage(quint32 msg, qint64 wParam, qint64 lParam);

    platform::BusWindow* m_bus;
};

}  // namespace ov

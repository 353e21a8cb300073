#pragma once
// What the main window hands to the windows and dialogs that live beside it: the web-command
// dispatcher, the file manager panel, the batch transfer window, the online-edit monitor, the
// message notice, the tools menu's dialogs and the login. Each is a function that the program's
// start-up (client/app/) fills in once the part exists; an unset one does nothing (and a poll
// whose taker is missing leaves its clipboard command where it is). This table is the one way
// the main window reaches a window of another feature.

#include <QString>
#include <functional>

class QWidget;

namespace ov {

struct TBatchTransport;

struct TMainFrmHooks {
    // The web-command dispatcher. TakeWebCmdFile takes "WebCmd.txt" into the queue: on every
    // work tick while logged in, and at once when a second start brings the window to the
    // front (so that the next start does not wait for the file). RunWebCmd carries out at most
    // one queued command; the work tick calls it except while the fetch after a login runs.
    std::function<void()> TakeWebCmdFile;
    std::function<void()> RunWebCmd;

    // The file manager panel.
    std::function<void()> FileManagerInit;         // loads the organisation and folders
    std::function<void()> FileManagerToFront;      // shown in front of the batch window
    std::function<void()> FileManagerSelectOwner;  // selects the user's own node

    // The batch transfer window.
    std::function<void()> BatchToFront;
    std::function<void()> BatchStartAll;  // starts the saved tasks
    std::function<int()> BatchUnOverTaskNum;
    // A task command taken off the clipboard: stored as the batch window's command text and
    // appended as a new task. Set: the batch-task clipboard poll runs.
    std::function<void(const QString& cmd)> BatchAppendTaskCmd;
    // A task the file manager hands over.
    std::function<void(const TBatchTransport& task)> BatchAppendTask;

    // The online-edit monitor. Set: the monitor exists and the online-edit clipboard poll
    // runs. It is told whether the main window was visible before the edit showed it.
    std::function<void(const QString& cmd, bool mainFrmWasVisible)> EditFile;
    std::function<void()> ShowEditorGuide;  // when the settings ask for the editing guide

    // The message notice of waiting server messages, created with the work area as parent. It
    // closes itself after 30 seconds; the main window deletes it when it closes.
    std::function<QWidget*(QWidget* parent)> CreateMessageNotice;

    // The tools menu.
    std::function<void()> ShowServerHostDialog;
    std::function<void()> ShowWorkPathDialog;
    std::function<void()> ShowPasswordDialog;

    // The login: the sequence of the first activation, and the one of the tools menu.
    std::function<void()> LoginOnActivate;
    std::function<void()> LoginFromMenu;
};

}  // namespace ov

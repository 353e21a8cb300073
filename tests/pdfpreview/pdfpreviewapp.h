#pragma once
// Helpers of the previewer tests: the widget application and the answer to the next message box.

#include <QMessageBox>
#include <QString>
#include <memory>

namespace ov::test {

// What the message box that a step showed said; empty `text` when none showed.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes the next message box that appears (as its user would with OK) and remembers it. Keep
// the object alive over the step that shows the box.
class MessageBoxCloser {
public:
    MessageBoxCloser();
    ~MessageBoxCloser();
    const SeenMessage& seen() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}  // namespace ov::test

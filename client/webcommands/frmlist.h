#pragma once
// The previewer and editor windows that the web-command dispatcher opened. Each window comes
// with its release step, which closes its viewer and deletes its local copy of the server
// file. A window the user closes is released and freed at once, so no copy outlives the window
// that shows it; the windows still open are released and freed with the list.

#include <QFile>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace ov {

class TFrmList : public QObject {
    Q_OBJECT
public:
    explicit TFrmList(QObject* parent = nullptr);
    ~TFrmList() override;

    // Takes the window over: it is freed by the list (when closed, or with the list).
    void Add(QWidget* form, std::function<void()> release);
    // A previewer or editor: its release closes the viewer (CloseOleObject) and removes its
    // local copy (LocalFilename), should the viewer have left it.
    template <class Form>
    void AddPreview(Form* form) {
        Add(form, [form] {
            form->CloseOleObject();
            const QString copy = form->LocalFilename();
            if (!copy.isEmpty()) QFile::remove(copy);
        });
    }

    // The windows not released yet, in the order they were added.
    QList<QWidget*> Forms() const;
    // The rectangle of the window added last: its current one while it is open, else the one
    // it had when it was closed. nullopt when no window was ever added.
    std::optional<QRect> LastRect() const;
    // Releases and frees every window, in the order they were added.
    void ReleaseAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> form;
        std::function<void()> release;
    };
    // Releases the window when the close went through (it is hidden then).
    void ReleaseIfClosed(QWidget* form);
    void Release(std::size_t index);

    std::vector<Entry> m_entries;
    QPointer<QWidget> m_last;
    std::optional<QRect> m_lastRect;
};

}  // namespace ov

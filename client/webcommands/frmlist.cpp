#include "client/webcommands/frmlist.h"

#include <QEvent>
#include <QTimer>

namespace ov {

TFrmList::TFrmList(QObject* parent) : QObject(parent) {}

TFrmList::~TFrmList() {
    ReleaseAll();
}

void TFrmList::Add(QWidget* form, std::function<void()> release) {
    if (!form) return;
    m_entries.push_back({form, std::move(release)});
    m_last = form;
    m_lastRect.reset();
    form->installEventFilter(this);
}

QList<QWidget*> TFrmList::Forms() const {
    QList<QWidget*> forms;
    for (const Entry& entry : m_entries)
        if (entry.form) forms.append(entry.form);
    return forms;
}

std::optional<QRect> TFrmList::LastRect() const {
    if (m_last) return m_last->geometry();
    return m_lastRect;
}

void TFrmList::ReleaseAll() {
    while (!m_entries.empty())
        Release(0);
}

bool TFrmList::eventFilter(QObject* watched, QEvent* event) {
    // The window's own close handler runs after this filter and may refuse the close; whether
    // the window went away is looked at once the event is done.
    if (event->type() == QEvent::Close) {
        QPointer<QWidget> form = qobject_cast<QWidget*>(watched);
        QTimer::singleShot(0, this, [this, form] {
            if (form) ReleaseIfClosed(form);
        });
    }
    return QObject::eventFilter(watched, event);
}

void TFrmList::ReleaseIfClosed(QWidget* form) {
    if (form->isVisible()) return;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].form == form) {
            Release(i);
            return;
        }
    }
}

void TFrmList::Release(std::size_t index) {
    Entry entry = std::move(m_entries[index]);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    if (!entry.form) return;
    if (entry.form == m_last) m_lastRect = entry.form->geometry();
    entry.form->removeEventFilter(this);
    if (entry.release) entry.release();
    delete entry.form.data();
}

}  // namespace ov

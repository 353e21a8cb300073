#include "control/object/childforms.h"

#include <exception>

namespace ov::control {

namespace {

void freeForm(QPointer<QWidget>& form) {
    delete form.data();
    form.clear();
}

}  // namespace

ChildForms::~ChildForms() {
    for (Entry& entry : m_entries)
        freeForm(entry.form);
}

void ChildForms::set(ChildForm slot, QWidget* form, std::function<void()> close) {
    Entry& entry = m_entries[static_cast<std::size_t>(slot)];
    if (entry.form != form) freeForm(entry.form);
    entry.form = form;
    entry.close = std::move(close);
}

QWidget* ChildForms::get(ChildForm slot) const {
    return m_entries[static_cast<std::size_t>(slot)].form.data();
}

QWidget* ChildForms::release(ChildForm slot) {
    Entry& entry = m_entries[static_cast<std::size_t>(slot)];
    QWidget* form = entry.form.data();
    entry.form.clear();
    entry.close = nullptr;
    return form;
}

void ChildForms::closeAll() {
    std::exception_ptr first;
    for (Entry& entry : m_entries) {
        try {
            if (entry.form && entry.close) entry.close();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
        entry.close = nullptr;
        freeForm(entry.form);
    }
    if (first) std::rethrow_exception(first);
}

}  // namespace ov::control

#include "documents/office/officepreviewnav.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr int kPageRole = Qt::UserRole + 1;

void AddEntries(QTreeWidgetItem* parent, QTreeWidget* tree,
                const std::vector<platform::DocumentViewer::OutlineEntry>& entries) {
    for (const auto& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, entry.title);
        item->setData(0, kPageRole, entry.page);
        AddEntries(item, tree, entry.children);
    }
}

}  // namespace

OfficeFindBar::OfficeFindBar(platform::DocumentViewer* viewer, THS_Language language,
                             QWidget* parent)
    : QWidget(parent), m_viewer(viewer), m_field(new QLineEdit(this)), m_state(new QLabel(this)) {
    const bool cn = language == HSL_CN;
    m_notFound = cn ? u"找不到"_s : u"Not found"_s;
    auto* next = new QPushButton(cn ? u"查找下一个"_s : u"Find next"_s, this);
    auto* close = new QPushButton(cn ? u"关闭"_s : u"Close"_s, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(cn ? u"查找："_s : u"Find:"_s, this));
    layout->addWidget(m_field, 1);
    layout->addWidget(next);
    layout->addWidget(m_state);
    layout->addWidget(close);
    connect(m_field, &QLineEdit::returnPressed, this, &OfficeFindBar::findNext);
    connect(next, &QPushButton::clicked, this, &OfficeFindBar::findNext);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void OfficeFindBar::open() {
    show();
    m_field->setFocus();
    m_field->selectAll();
}

bool OfficeFindBar::findNext() {
    const QString text = m_field->text();
    const bool found = m_viewer && !text.isEmpty() && m_viewer->find(text);
    m_state->setText(found || text.isEmpty() ? QString() : m_notFound);
    return found;
}

void FillOutline(QTreeWidget* tree, platform::DocumentViewer* viewer) {
    tree->clear();
    if (!viewer || !viewer->isLoaded()) return;
    AddEntries(nullptr, tree, viewer->outline());
    tree->expandAll();
    QObject::disconnect(tree, &QTreeWidget::itemClicked, nullptr, nullptr);
    QObject::connect(tree, &QTreeWidget::itemClicked, viewer, [viewer](QTreeWidgetItem* item) {
        const int page = item->data(0, kPageRole).toInt();
        if (page > 0) viewer->setCurrentPage(page);
    });
}

}  // namespace ov

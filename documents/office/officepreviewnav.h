#pragma once
// The find bar over a previewed document and the filling of its navigation pane (the outline
// of the converted document: headings of a text, sheets, slide titles).

#include "core/types.h"
#include "platform/widgets/documentviewer.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace ov {

class OfficeFindBar : public QWidget {
    Q_OBJECT
public:
    OfficeFindBar(platform::DocumentViewer* viewer, THS_Language language, QWidget* parent);

    void setViewer(platform::DocumentViewer* viewer) { m_viewer = viewer; }
    // Shows the bar with the focus in its text field.
    void open();
    // Finds the next occurrence of the text in the field; false (and the bar says so) when it
    // occurs nowhere.
    bool findNext();
    QLineEdit* field() const { return m_field; }

private:
    platform::DocumentViewer* m_viewer;
    QLineEdit* m_field;
    QLabel* m_state;
    QString m_notFound;
};

// Fills the tree with the viewer's outline; a click on an entry shows its page.
void FillOutline(QTreeWidget* tree, platform::DocumentViewer* viewer);

}  // namespace ov

#pragma once
// The drawn title bar of the borderless version-control windows: a coloured strip with the
// title; dragging it with the left button moves the window; a close picture at its right end.

#include <QPoint>
#include <QWidget>

class QLabel;
class QToolButton;

namespace ov {

class TTitleBar : public QWidget {
    Q_OBJECT
public:
    // `barName` and `closeName` are the object names of the strip and of its close picture.
    TTitleBar(const QString& barName, const QString& closeName, QWidget* parent);

    QLabel* Title = nullptr;
    QToolButton* CloseButton = nullptr;
    // Optional minimise picture (hidden unless shown).
    QToolButton* MinimiseButton = nullptr;

signals:
    void closeClicked();
    void minimiseClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint m_origin;  // the press, relative to the window
    bool m_dragging = false;
};

// Gives a new widget its designer name (its object name) and returns it.
template <typename Widget>
Widget* Named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// Makes a window borderless (the version-control look: the title bar is drawn).
void MakeBorderless(QWidget* window);

}  // namespace ov

// A list box that reports a key or a mouse button let go over it, so that a
// window can read the selection once the operator has finished making it
// (a drag or a Shift+arrow selects many entries one by one).
#pragma once

#include <QListWidget>

class ListBox : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

signals:
    void keyUp();
    void mouseUp();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

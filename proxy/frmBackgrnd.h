// The wait window of the proxy rights set-up: what the set-up needs, on a grey
// gradient that darkens downwards, above every other window while it shows.
#pragma once

#include <QWidget>

class QLabel;
class QPaintEvent;

class frmBackgrnd : public QWidget {
    Q_OBJECT
public:
    explicit frmBackgrnd(QWidget *parent = nullptr);

    // Shows the window modeless and topmost, and lets it paint.
    void showOnTop();

    // The grey level of the band that holds pixel row y of a window `height`
    // pixels high: bands of height / 64 + 0.5 rows, 240 - y * 245 / height,
    // not below 0.
    static int greyAt(int y, int height);

    QLabel *LABEL_Backgrnd[5];

protected:
    void paintEvent(QPaintEvent *event) override;
};

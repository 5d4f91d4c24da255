// The picture box of the task windows (the outcome panel, the progress bar's
// surface): a back and a fore colour, an optional sunken frame, and a retained
// raster that drawing goes into and that is painted on every repaint, so what
// was drawn survives being covered and uncovered. Sizes are in pixels, which
// are also the "twips" of this platform.
#pragma once

#include "app/AppContext.h"

#include <QFrame>
#include <QImage>

class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    OleColor backColor() const { return m_backColor; }
    // Like the toolkit's picture box, a new back colour erases what was drawn.
    void setBackColor(OleColor color);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor color);

    bool hasBorder() const { return frameStyle() != QFrame::NoFrame; }
    void setBorder(bool on);

    // The inner drawing area: the widget less its frame.
    int scaleWidth() const { return contentsRect().width(); }
    int scaleHeight() const { return contentsRect().height(); }

    // Erases the drawing area to the back colour.
    void clear();
    // A filled box from one corner to the other, both corners included (the
    // box form of the picture box's line method), in drawing-area pixels.
    void fillRect(int x1, int y1, int x2, int y2, OleColor color);
    // What has been drawn, one image pixel per drawing-area pixel.
    const QImage &raster();

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitRaster();

    OleColor m_backColor;
    OleColor m_foreColor;
    QImage m_raster;
};

#include "PictureBox.h"

#include "OleColor.h"

#include <QPainter>
#include <QPaintEvent>
#include <QRect>
#include <QResizeEvent>

namespace {

// The classic three-dimensional picture-box frame: two pixels on each side.
constexpr int FrameLineWidth = 2;

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent), m_backColor(ole::SystemButtonFace), m_foreColor(ole::SystemButtonText)
{
    setBorder(true);
}

void PictureBox::setBackColor(OleColor color)
{
    m_backColor = color;
    clear();
}

void PictureBox::setForeColor(OleColor color)
{
    m_foreColor = color;
}

void PictureBox::setBorder(bool on)
{
    if (on) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(FrameLineWidth);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    fitRaster();
    update();
}

void PictureBox::clear()
{
    fitRaster();
    m_raster.fill(ole::toQColor(m_backColor));
    update();
}

void PictureBox::fillRect(int x1, int y1, int x2, int y2, OleColor color)
{
    fitRaster();
    if (m_raster.isNull())
        return;
    QPainter painter(&m_raster);
    painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized(), ole::toQColor(color));
    update();
}

const QImage &PictureBox::raster()
{
    fitRaster();
    return m_raster;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    fitRaster();
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_raster);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    fitRaster();
    emit resized();
}

// A hidden widget learns of its new size only when shown, so the raster follows
// the geometry on every use rather than waiting for the resize event. What was
// drawn is kept where it still fits; new room shows the back colour.
void PictureBox::fitRaster()
{
    const QSize size = contentsRect().size().expandedTo(QSize(0, 0));
    if (m_raster.size() == size)
        return;
    QImage fitted(size, QImage::Format_RGB32);
    fitted.fill(ole::toQColor(m_backColor));
    if (!fitted.isNull() && !m_raster.isNull()) {
        QPainter painter(&fitted);
        painter.drawImage(0, 0, m_raster);
    }
    m_raster = fitted;
}

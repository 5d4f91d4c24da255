#include "CProgressBar.h"

#include "ComError.h"
#include "OleColor.h"
#include "PictureBox.h"

#include <QObject>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Picture boxes measure in pixels here; the conversion is kept so that the
// width arithmetic reads as it does where twips and pixels differ.
constexpr int TwipsPerPixel = 1;

// Whole numbers are taken to the nearest, a half to the even neighbour
// (nearbyint under the default rounding mode), then held in 16 bits.
int16_t toBlockUnits(double value)
{
    const double rounded = std::nearbyint(value);
    return static_cast<int16_t>(std::clamp(rounded, double(std::numeric_limits<int16_t>::min()),
                                           double(std::numeric_limits<int16_t>::max())));
}

} // namespace

CProgressBar::CProgressBar()
    : m_foreColor(ole::SystemHighlight), m_backColor(ole::SystemButtonFace)
{
}

CProgressBar::~CProgressBar() { QObject::disconnect(m_canvasResized); }

void CProgressBar::setCanvas(QObject *canvas)
{
    auto *box = qobject_cast<PictureBox *>(canvas);
    if (!box)
        throw ComError(ObjectErrorBase + 1,
                       QStringLiteral("Canvas property must be of type PictureBox."),
                       QStringLiteral("CProgressBar.Canvas"));
    QObject::disconnect(m_canvasResized);
    m_canvas = box;
    box->setForeColor(m_foreColor);
    box->setBackColor(m_backColor);
    m_canvasResized = QObject::connect(box, &PictureBox::resized, box, [this] { ResizeEx(); });
    ResizeEx();
}

void CProgressBar::setValue(int32_t value)
{
    m_value = std::clamp(value, m_min, m_max);
    Refresh();
}

void CProgressBar::setMin(int32_t min)
{
    if (min >= m_max)
        throw ComError(ObjectErrorBase + 2, QStringLiteral("Min property must be less than Max."),
                       QStringLiteral("CProgressBar.Min"));
    m_min = min;
    Refresh();
}

void CProgressBar::setMax(int32_t max)
{
    if (max <= m_min)
        throw ComError(ObjectErrorBase + 3,
                       QStringLiteral("Max property must be greater than Min."),
                       QStringLiteral("CProgressBar.Max"));
    m_max = max;
    Refresh();
}

void CProgressBar::setForeColor(OleColor color)
{
    m_foreColor = color;
    if (m_canvas)
        m_canvas->setForeColor(color);
    Refresh();
}

void CProgressBar::setBackColor(OleColor color)
{
    m_backColor = color;
    if (m_canvas)
        m_canvas->setBackColor(color);
    Refresh();
}

void CProgressBar::Refresh(bool clear)
{
    if (!m_canvas)
        return;
    if (clear)
        m_canvas->clear();
    const int filled = filledBlocks();
    int x = m_margin;
    for (int block = 1; block <= m_blockCount; ++block) {
        const OleColor color = block <= filled ? m_foreColor : m_backColor;
        m_canvas->fillRect(x, m_margin, x + m_blockWidth, m_margin + m_blockHeight - 1, color);
        x += m_blockWidth + m_gap;
    }
}

void CProgressBar::Resize()
{
    if (!m_canvas)
        return;
    computeGeometry();
    Refresh(true);
}

// Makes the canvas exactly as wide as a whole number of blocks, so that the
// last block is never cut: it is dropped when less of it would show than
// would overflow, and shown whole otherwise.
void CProgressBar::ResizeEx()
{
    if (m_resizing || !m_canvas)
        return;
    computeGeometry();
    const int pitch = m_blockWidth + m_gap;
    int needed = m_blockCount * pitch + m_gap;
    const int width = m_canvas->scaleWidth();
    if (m_blockCount > 0 && width - (needed - pitch) <= needed - width) {
        --m_blockCount;
        needed = m_blockCount * pitch + m_gap;
    }
    const int border = m_canvas->width() - width * TwipsPerPixel;
    m_resizing = true;
    m_canvas->resize(needed * TwipsPerPixel + border, m_canvas->height());
    m_resizing = false;
    Refresh(true);
}

void CProgressBar::PauseProgress(int32_t milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void CProgressBar::computeGeometry()
{
    m_blockHeight = toBlockUnits(double(m_canvas->scaleHeight()) - 2 * m_margin);
    m_blockWidth = toBlockUnits(2.0 / 3.0 * m_blockHeight);
    const int pitch = m_blockWidth + m_gap;
    // A canvas too low for any block would otherwise divide by zero.
    m_blockCount = pitch > 0 ? toBlockUnits(m_canvas->scaleWidth() / pitch + 1) : 0;
}

// Blocks past either end would fall outside the canvas, so the count is kept
// within the row even when Min or Max moved after Value was set.
int CProgressBar::filledBlocks() const
{
    const double share = (double(m_value) - m_min) / (double(m_max) - m_min);
    const double filled = std::nearbyint(share * m_blockCount);
    return int(std::clamp(filled, 0.0, double(m_blockCount)));
}

// A segmented progress bar (a row of separate filled blocks, like the
// platform's classic progress control) drawn into a picture box. The program
// shares one instance among its task windows; each add window binds it to its
// own progress picture box when it loads.
#pragma once

#include "app/AppContext.h"
#include "app/ProgressIndicator.h"
#include "PictureBox.h"

#include <QMetaObject>
#include <QPointer>
#include <cstdint>

class QObject;

class CProgressBar : public ProgressIndicator {
public:
    CProgressBar();
    ~CProgressBar() override;
    CProgressBar(const CProgressBar &) = delete;
    CProgressBar &operator=(const CProgressBar &) = delete;

    // Anything but a PictureBox raises ComError 0x80040001. The canvas takes
    // the bar's colours and is snapped to a whole number of blocks.
    void setCanvas(QObject *canvas);
    PictureBox *canvas() const { return m_canvas; }

    // Clamped into [min, max].
    void setValue(int32_t value) override;
    int32_t value() const override { return m_value; }
    // Not below max: raises ComError 0x80040002.
    void setMin(int32_t min);
    int32_t min() const { return m_min; }
    // Not above min: raises ComError 0x80040003.
    void setMax(int32_t max) override;
    int32_t max() const override { return m_max; }
    void setForeColor(OleColor color);
    OleColor foreColor() const { return m_foreColor; }
    void setBackColor(OleColor color);
    OleColor backColor() const { return m_backColor; }

    void Refresh(bool clear = false);
    void Resize();
    void ResizeEx();
    void PauseProgress(int32_t milliseconds);

private:
    void computeGeometry();
    int filledBlocks() const;

    QPointer<PictureBox> m_canvas;
    QMetaObject::Connection m_canvasResized;
    int32_t m_value = 0;
    int32_t m_min = 0;
    int32_t m_max = 100;
    OleColor m_foreColor;
    OleColor m_backColor;
    int16_t m_blockWidth = 0;
    int16_t m_blockHeight = 0;
    int16_t m_gap = 3;
    int16_t m_margin = 2;
    int16_t m_blockCount = 0;
    // Set while ResizeEx changes the canvas width, whose resize would re-enter.
    bool m_resizing = false;
};

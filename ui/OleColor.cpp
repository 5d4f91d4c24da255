#include "OleColor.h"

#include <QApplication>
#include <QPalette>

namespace ole {

namespace {

// GetSysColor indexes (COLOR_*) mapped onto the toolkit's palette.
QColor systemColor(uint32_t index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 1: // COLOR_DESKTOP: the classic desktop blue-green
        return QColor(0x3A, 0x6E, 0xA5);
    case 2: // COLOR_ACTIVECAPTION
    case 13: // COLOR_HIGHLIGHT
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 5: // COLOR_WINDOW
        return palette.color(QPalette::Active, QPalette::Base);
    case 8: // COLOR_WINDOWTEXT
        return palette.color(QPalette::Active, QPalette::Text);
    case 9: // COLOR_CAPTIONTEXT
    case 14: // COLOR_HIGHLIGHTTEXT
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 15: // COLOR_BTNFACE
        return palette.color(QPalette::Active, QPalette::Button);
    case 17: // COLOR_GRAYTEXT
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // COLOR_BTNTEXT
        return palette.color(QPalette::Active, QPalette::ButtonText);
    default:
        return palette.color(QPalette::Active, QPalette::Window);
    }
}

} // namespace

bool isValid(OleColor color)
{
    constexpr OleColor SystemFlag = 0x80000000u;
    constexpr OleColor LastSystemIndex = 30; // COLOR_MENUBAR
    return (color & 0xFF000000u) == 0
           || ((color & 0xFFFFFF00u) == SystemFlag && (color & 0xFFu) <= LastSystemIndex);
}

QColor toQColor(OleColor color)
{
    if (color & 0x80000000u)
        return systemColor(color & 0xFFu);
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace ole

// Colour values as the program stores them (0x00BBGGRR, or a system colour
// index when the top bit is set) turned into colours the toolkit can paint.
#pragma once

#include "app/AppContext.h"

#include <QColor>

namespace ole {

inline constexpr OleColor SystemDesktop = 0x80000001;
inline constexpr OleColor SystemWindow = 0x80000005;
inline constexpr OleColor SystemWindowText = 0x80000008;
inline constexpr OleColor SystemCaptionText = 0x80000009;
inline constexpr OleColor SystemHighlight = 0x8000000D;
inline constexpr OleColor SystemButtonFace = 0x8000000F;
inline constexpr OleColor SystemButtonText = 0x80000012;

// An RGB value (top byte 0) or a system colour index known to GetSysColor;
// anything else is no colour (OleTranslateColor refuses it).
bool isValid(OleColor color);
QColor toQColor(OleColor color);

} // namespace ole

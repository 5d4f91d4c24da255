// A user's Terminal Server settings, one WTS_CONFIG_CLASS at a time, through
// the platform's Terminal Server family. Results: 0 success, -1 failure.
#pragma once

#include <QString>
#include <cstdint>

// The setting as text: a text class as its characters, up to the first NUL; a
// number class as its four bytes read as a little-endian signed number,
// written in decimal.
int32_t Query_UserConfig(const QString &server, const QString &user, int32_t configClass,
                         QString &value);
// Text classes (0, 1, 13, 15, 16, 17) take `value` as given, its length in
// characters as the byte count (callers append one NUL, which is counted);
// the others take it converted to a 32-bit number, as four little-endian bytes.
int32_t Set_UserConfig(const QString &server, const QString &user, int32_t configClass,
                       const QString &value);

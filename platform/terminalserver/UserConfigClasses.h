// The WTS_CONFIG_CLASS settings 0 to 18 of a user, read from and written into
// the TSProperty array of its userParameters value. A change touches its own
// property (and that property's W twin) or its own CtxCfgFlags1 bit, nothing
// else.
#pragma once

#include "platform/terminalserver/UserParameters.h"

#include <cstdint>
#include <string>

namespace platform::tsts {

inline constexpr int FirstConfigClass = 0;
inline constexpr int LastConfigClass = 18; // fTerminalServerRemoteHomeDir

// Classes 0, 1, 13, 15, 16, 17 are text; the others numbers.
bool isTextClass(int configClass);

struct ConfigValue {
    uint32_t number = 0;
    std::string text; // UTF-8
};

// The setting of one class. A value without settings Terminal Services would
// read (empty, foreign, no CtxCfgPresent) answers the settings of a user never
// given any, as does a missing property. False for a class out of range, a
// malformed value, or a property whose value cannot be decoded.
bool queryClass(const UserParameters &parameters, int configClass, ConfigValue &value);

// Changes one class. False, with `parameters` untouched, for class 18 (derived
// from the drive), a class or value out of range, a text too long for its
// field, and for a value this cannot rewrite without losing what it holds:
// malformed, foreign data past byte 96, an array Terminal Services ignore, or
// an undecodable CtxCfgFlags1.
bool setClass(UserParameters &parameters, int configClass, const ConfigValue &value);

} // namespace platform::tsts

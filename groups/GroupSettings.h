// Where the group windows remember their entries: the last domain and group
// name are shared with the other windows; each window keeps its group kind in
// a section named after its title.
#pragma once

#include <QString>

namespace group_settings {
inline const QString Section = QStringLiteral("Settings");
inline const QString LastDomain = QStringLiteral("LastDomain");
inline const QString LastGroupID = QStringLiteral("LastGroupID");
inline const QString LastUserID = QStringLiteral("LastUserID");
inline const QString Global = QStringLiteral("Global");
inline const QString Unique = QStringLiteral("Unique");
} // namespace group_settings

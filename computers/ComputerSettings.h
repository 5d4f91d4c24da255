// Where the computer windows remember their entries: the last domain and
// computer name are shared by the three windows; the add window also reads
// the user windows' last domain for its user link, and keeps its "Unique"
// choice in a section named after its title.
#pragma once

#include <QString>

namespace computer_settings {
inline const QString Section = QStringLiteral("Settings");
inline const QString LastCompDomain = QStringLiteral("LastCompDomain");
inline const QString LastCompID = QStringLiteral("LastCompID");
inline const QString LastDomain = QStringLiteral("LastDomain");
inline const QString Unique = QStringLiteral("Unique");
} // namespace computer_settings

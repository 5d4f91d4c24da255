// Where the program's own files are, depending on whether it runs from a
// build tree or from an installation (a package, `cmake --install`).
#pragma once

#include <QString>

namespace platform {

// Whether the executable in this folder was built there: CMake writes
// CMakeCache.txt at the top of every build tree, which is where the program is
// built, and no installation puts one beside an installed executable. Chosen
// over a compile-time record of the build folder, which would carry a build
// path into the installed binary.
bool IsBuildTree(const QString &executableFolder);

// Folders of an installation, found from the executable's folder (bin/ under
// the prefix), so that a package installed under any prefix finds its own:
// read-only data (errcodes.ini) in share/varnel, companion programs
// (netdom.exe, the tools of the menus) in lib/varnel. No trailing slash.
QString InstalledDataFolder(const QString &executableFolder);
QString InstalledHelperFolder(const QString &executableFolder);

} // namespace platform

// The program's folder, and the folder of its companion files (netdom.exe, the
// tools of the menus, the help file).
#pragma once

#include <QString>

// The executable's folder when an application object exists (copies of the
// program are started from here); otherwise (no executable path to go by) the
// platform's writable folder. No trailing slash.
QString ProgramFolder();

// Where companion files are looked for: the executable's folder in a build
// tree; lib/varnel under the install prefix (/usr/lib/varnel for the package)
// when installed, since an installed program's bin/ is shared with every other
// program. No trailing slash.
QString HelperFolder();

// Puts another folder in place of both of the above (tests, screenshots); an
// empty text goes back to the real folders.
void SetProgramFolder(const QString &folder);

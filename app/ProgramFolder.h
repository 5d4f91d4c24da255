// The program's folder of companion files: netdom.exe, the tools of the menus
// (Usrmgr.exe, Srvmgr.exe) and the help file are looked for there.
#pragma once

#include <QString>

// In a build tree, the executable's folder; in an installation, lib/varnel
// under the install prefix (/usr/lib/varnel for the package), since an
// installed program's bin/ is shared with every other program. Without an
// application object (no executable path to go by), the platform's writable
// folder. No trailing slash.
QString HelperFolder();

// The same folder, by the name the task windows use for it.
QString ProgramFolder();

// Puts another folder in place of the one above (tests, screenshots); an empty
// text goes back to the real folder.
void SetProgramFolder(const QString &folder);

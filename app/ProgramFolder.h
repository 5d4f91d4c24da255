// The program's folder: where the companion tools (Usrmgr.exe, Srvmgr.exe,
// netdom.exe) and the help file are looked for.
#pragma once

#include <QString>

// Beside the executable when an application object exists; otherwise (no
// executable path to go by) the platform's writable folder. No trailing slash.
QString ProgramFolder();

// Puts another folder in place of the one above (tests, screenshots); an empty
// text goes back to the real folder.
void SetProgramFolder(const QString &folder);

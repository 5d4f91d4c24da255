// The append-only activity log beside the program: one line per completed action.
#pragma once

#include <QString>

// Full path of the log: the program's writable folder, the executable's base
// name, ".log".
QString LogFilePath();

// Whether the file can be opened for reading.
bool File_Exists(const QString &path);

void Write_Log(const QString &target, const QString &action, const QString &object, bool outcome,
               const QString &detail1, const QString &detail2, const QString &detail3,
               const QString &detail4, const QString &detail5);

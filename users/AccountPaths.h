// The home directory and profile path of a user account, which the
// view/modify window neither shows nor edits but must write back unchanged:
// its update rewrites every property it is given, empty ones included.
#pragma once

#include <QString>
#include <QVariantList>

// The home directory as the update command takes it: with a drive ("H:") the
// drive letter in brackets before the directory ("[H]\\server\share"),
// without one the directory as it stands.
QString Home_DirArgument(const QString &directory, const QString &drive);

// The two paths of a user account's values as Get_AccountInfo reads them.
struct KeptPaths {
    QString homeDir;  // in the form of Home_DirArgument
    QString profile;
};
KeptPaths Kept_Paths(const QVariantList &items);

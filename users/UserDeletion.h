// Deleting one user account, for good or for reuse.
#pragma once

#include <QString>
#include <cstdint>

inline const QString DeleteUserTitle = QStringLiteral("NT Delete User Account");

// Destroys the account `name` at `server`. The directory's status.
int32_t Delete_User(QString &name, const QString &server);

// Keeps the account for reuse: disabled, stripped and renamed to the first of
// "%", "%%", "%%%" + name that the directory accepts, then taken out of its
// groups (all but its primary group), so that whoever gets it next starts
// with no rights of its former owner. `newName` receives the name it now
// bears once the rename has succeeded, even when leaving a group then fails.
// 0, or the status of the third rename or of the group removal.
int32_t SoftDelete_User(QString &name, const QString &server, QString &newName);

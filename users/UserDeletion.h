// Deleting one user account, for good or for reuse.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

inline const QString DeleteUserTitle = QStringLiteral("NT Delete User Account");

// Destroys the account `name` at `server`. The directory's status.
int32_t Delete_User(QString &name, const QString &server);

// Keeps the account for reuse under the first of "%", "%%", "%%%" + name that
// the directory accepts; the directory disables, strips and takes it out of
// its groups, or leaves it as it was. `domain` is the domain text the account
// was addressed by (its DOMAIN\name in other domains' local groups).
// `newName` receives the name it now bears, also when its own domain then
// refused to let it out of a group; `keptBy` the listed domains whose local
// groups would not let it go. 0, or the status of the last try.
int32_t SoftDelete_User(QString &name, const QString &server, const QString &domain,
                        QString &newName, QStringList &keptBy);

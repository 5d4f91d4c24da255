// Taking a user account out of its groups, so that an account kept for reuse
// carries no rights of its former owner to the next person who gets it.
#pragma once

#include <QString>
#include <cstdint>

// Removes `user` from every global group at `server` (as it stands, no
// controller look-up) except its primary group, which an account cannot
// leave, and then from every local group there that holds it directly. A
// local group it belongs to only through its primary group is left as it is.
// 0 when done; else the status of the listing or removal that failed (what
// was removed before it stays removed).
int32_t Remove_UserGroups(const QString &user, const QString &server);

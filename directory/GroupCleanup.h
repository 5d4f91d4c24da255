// Taking a user account kept for reuse out of its groups, so that whoever
// gets it next starts with no rights of its former owner: not through a
// group of its own domain, not through its primary group, and not through a
// local group of another listed domain that holds DOMAIN\name.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// At `server` (as it stands): makes `user` a member of the domain's users
// group (RID 513), makes that its primary group (a controller refuses a
// primary group the account is not in), then removes it from every other
// global group and from the local groups holding it directly. Then, when
// `domain` is a domain name, removes `domain`\`user` from the local groups of
// every other listed domain that holds it; such a domain that refuses is
// added to `keptBy` and does not fail the clean-up. 0 when the account's own
// server is clean, else the status of the call there that failed.
int32_t Clean_UserGroups(const QString &user, const QString &server, const QString &domain,
                         QStringList &keptBy);

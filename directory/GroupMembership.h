// Group membership: the members of a group, the groups of a user, and adding
// or removing one member. A global group holds accounts of its own domain by
// name; a local group may hold accounts and global groups of trusted domains,
// written DOMAIN\name.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// Appends the members of `group` at `server` (used as it stands: no
// controller look-up), reading as many chunks as it takes. An empty group
// name reads nothing. Returns the count of `items`, or 0 when a call fails.
int32_t Get_GroupMembers(const QString &server, const QString &group, QStringList &items,
                         bool localGroup);

// Appends the groups of `user` at `server` (as it stands), local ones
// including those reached through a global group, except "NONE". One call:
// 0 when it fails or its answer does not fit. Returns the count of `items`.
int32_t Get_UserGroups(const QString &server, const QString &user, QStringList &items,
                       bool localGroup);

// Add or remove `member` (DOMAIN\name allowed for a local group). The
// service's status, -9 when the domain's controller cannot be found.
int32_t Add_GroupMember(const QString &member, const QString &server, const QString &group,
                        bool localGroup);
int32_t Delete_GroupMember(const QString &member, const QString &server, const QString &group,
                           bool localGroup);

// Reading accounts: whether one exists, and its properties as the windows
// show them.
#pragma once

#include <QString>
#include <QVariantList>
#include <cstdint>

// 0 when the account of `kind` (user, computer, group) exists at `server`;
// else the service's status (2221 user not found, 2220 group not found), -1
// for another kind, -9 when the domain's controller cannot be found.
int32_t Check_Account(QString &name, const QString &server, int32_t kind, bool localGroup);

// Appends the properties of the account or machine to `items`, without keys,
// in the order the windows read them by position:
// - user (kind 0), 29 values: name, password (""), password age, privilege
//   ("GUEST", "USER", "ADMIN", "MASK"), home directory, comment, flags, script,
//   auth flags, full name, user comment, parameters, workstations, last logon,
//   last logoff, account expiry ("Never" or a date), maximum storage, units
//   per week, logon hours, bad-password count, logons, logon server, country
//   code, code page, user id, primary group id, profile, home-directory drive,
//   password expired (bool). Dates are QDate; numbers 32-bit signed.
// - computer (kind 1), 8 values: name (NAME$), password (""), password age,
//   privilege (number), home directory, comment, flags, script.
// - group (kind 2): name, comment.
// - machine (kind 5, asked of the machine `name` itself): platform id, name,
//   major and minor version, server type bits, comment.
// For a user, each flag output becomes true when its account flag is set and
// is otherwise left as the caller set it. Returns the read's status (nothing
// appended when it is not 0), -1 for another kind, -9 as Check_Account.
int32_t Get_AccountInfo(QString &name, const QString &server, int32_t kind, QVariantList &items,
                        bool localGroup, bool &cannotChange, bool &neverExpires, bool &disabled,
                        bool &lockedOut);

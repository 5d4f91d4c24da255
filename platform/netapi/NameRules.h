// The one table of statuses for inputs where more than one netapi32 status
// would be plausible. Every back end asks it, so a bad name or level gets the
// same answer from the embedded directory, Samba and Windows alike.
#pragma once

#include "platform/netapi/Statuses.h"

#include <cstdint>
#include <string>

namespace platform::netapi {

// What a name names: the 20-character limit holds for user and computer
// (NAME$) accounts; group names may be up to 256 characters.
enum class NameKind { User, Computer, Group, LocalGroup };

enum class Situation {
    UnknownLevel,          // a level the call does not offer
    NameEmpty,             // empty, or only blanks and periods
    NameTooLong,           // user or computer > 20, group > 256 characters
    NameForbiddenChar,     // one of " / \ [ ] : | < > + = ; ? , *
    NameControlChar,       // a character from 1 to 31
    NameEndsWithPeriod,
    BadUserLookedUp,       // a read, change or delete names a user no rule allows
    BadGroupLookedUp,      //   ... a group no rule allows
    PrivilegeNotUser,      // NetUserAdd with a privilege other than USER_PRIV_USER
    AccountTypeNotOne,     // flags with no account-type bit, or more than one
    NameTakenByUser,       // creating or renaming onto an existing user's name
    NameTakenByGroup,      //   ... a global group's name
    NameTakenByLocalGroup, //   ... a local group's name
    PasswordPolicy,        // too short, or not complex where complexity is on
    WriteAtBackup,         // a change addressed to a backup controller
    GlobalGroupOffDomain,  // a global group made on a machine that is no PDC
    BuiltInAccount,        // deleting a built-in user (Administrator, Guest)
    BuiltInGroup,          // deleting or renaming a built-in group
    PrimaryGroupMember,    // removing a user from its primary group
    UnknownMember,         // a local-group member that names no account
    MemberOfWrongKind,     // a local group as a member of a local group
};

struct SituationRule {
    Situation situation;
    NetStatus status;
    const char *source;    // the Microsoft text the decision follows
};

// The decided status of a situation.
NetStatus statusFor(Situation situation);
// The whole table, for documentation and tests.
const SituationRule *situationRules(int &count);

// Checks a name for a new account (or a new name on rename): the situation's
// status, or status::Success.
NetStatus checkAccountName(const std::string &utf8Name, NameKind kind);
// Whether the name breaks any rule (such a name can never exist).
bool isBadAccountName(const std::string &utf8Name, NameKind kind);

// The netapi32 length limits, in UTF-16 characters.
inline constexpr int MaxUserNameLength = 20;   // UNLEN for SAM accounts
inline constexpr int MaxGroupNameLength = 256; // GNLEN

} // namespace platform::netapi

// Resolving a local-group member given as "DOMAIN\name" or "name" to the user
// or global group it names, as seen from one machine.
#pragma once

#include "platform/NetworkManagement.h"

#include <cstdint>
#include <string>

namespace platform::embedded {

class Database;
struct MachineRow;

struct MemberRef {
    int64_t accountId = 0;  // a user or computer account, or
    int64_t groupId = 0;    // a global group
};

// "DOMAIN\name": DOMAIN is the machine's own database, its domain, or a domain
// its domain trusts. "name" alone: the machine's own database, then its
// domain's. The status: Success, NoSuchMember, or InvalidMember for a local
// group.
NetStatus resolveMember(Database &db, const MachineRow &machine, const std::string &member,
                        MemberRef &ref);

} // namespace platform::embedded

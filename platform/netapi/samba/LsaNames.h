// LSA on a server's session ([MS-LSAT]): account names of SIDs and SIDs of
// DOMAIN\name, across the domains the server knows, and its trusted domains
// ([MS-LSAD] 3.1.4.7.1 LsarEnumerateTrustedDomains).
#pragma once

#include "platform/netapi/samba/SamrObjects.h"

#include <string>
#include <vector>

namespace platform::samba {

struct SidName {
    std::string domain;
    std::string name;
    uint32_t type = sidtype::Unknown;
};

// One entry per SID; a SID nobody knows keeps type Unknown.
uint32_t namesOfSids(SamrSession &session, const std::vector<dom_sid> &sids,
                     std::vector<SidName> &names);
// One entry per name ("DOMAIN\name" or "name"); type Unknown when not found.
uint32_t sidsOfNames(SamrSession &session, const std::vector<std::string> &names,
                     std::vector<dom_sid> &sids, std::vector<uint32_t> &types);
// The flat names of the domains the server's domain trusts.
uint32_t trustedDomains(SamrSession &session, std::vector<std::string> &names);

} // namespace platform::samba

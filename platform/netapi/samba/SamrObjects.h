// Finding and opening SAM objects by name: the name lookups, RID naming, the
// object handles, and the SIDs built from a domain SID and a RID.
#pragma once

#include "platform/netapi/samba/SamrSession.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::samba {

// SID_NAME_USE values of [MS-SAMR] 2.2.2.3 / [MS-LSAT] 2.2.13.
namespace sidtype {
inline constexpr uint32_t User = 1;
inline constexpr uint32_t Group = 2;
inline constexpr uint32_t Domain = 3;
inline constexpr uint32_t Alias = 4;
inline constexpr uint32_t WellKnownGroup = 5;
inline constexpr uint32_t Unknown = 8;
} // namespace sidtype

struct Found {
    Domain domain = Domain::Account;
    uint32_t rid = 0;
    uint32_t type = sidtype::Unknown;
};

// Looks a name up in the account domain, then (alsoBuiltin) in BUILTIN. An
// NTSTATUS: NONE_MAPPED when neither knows it.
uint32_t lookupName(SamrSession &session, const std::string &name, bool alsoBuiltin,
                    Found &found);

// Looks a name up in one domain only. A Samba AD DC also answers for BUILTIN's
// aliases when asked in the account domain, with RIDs of BUILTIN.
uint32_t lookupInDomain(SamrSession &session, Domain domain, const std::string &name,
                        Found &found);

// Names the RIDs of one domain (in batches the protocol allows); a RID the
// domain does not know gets an empty name and type Unknown.
uint32_t lookupRids(SamrSession &session, Domain domain, const std::vector<uint32_t> &rids,
                    std::vector<std::string> &names, std::vector<uint32_t> &types);

uint32_t openUser(SamrSession &session, uint32_t rid, ObjectHandle &handle);
uint32_t openGroup(SamrSession &session, uint32_t rid, ObjectHandle &handle);
uint32_t openAlias(SamrSession &session, Domain domain, uint32_t rid, ObjectHandle &handle);

// The SID of a RID in a domain.
dom_sid sidOf(const dom_sid &domainSid, uint32_t rid);
// Whether sid lies directly in domainSid; its RID then goes to rid.
bool inDomain(const dom_sid &sid, const dom_sid &domainSid, uint32_t &rid);
bool sameSid(const dom_sid &a, const dom_sid &b);
// "S-1-5-21-..."
std::string sidText(const dom_sid &sid);

std::string lsaText(const lsa_String &text);
lsa_String lsaString(const std::string &text);

} // namespace platform::samba

// The users (display level 1) and machines (level 2) of
// NetQueryDisplayInformation read from an Active Directory DC over LDAP: the
// same accounts as SAMR's display classes ([MS-SAMR] 3.1.5.3.3): users are
// the normal accounts (sAMAccountType SAM_NORMAL_USER_ACCOUNT), machines the
// workstation and server trust accounts (SAM_MACHINE_ACCOUNT); interdomain
// trust accounts are in neither. One search gives the whole list, and the DC
// does not sort it first, which makes it much cheaper than QueryDisplayInfo.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/samba/LdapConnections.h"

#include <string>
#include <vector>

namespace platform::samba {

// Which path serves the listings: VARNEL_SAMBA_LISTING=samr forces SAMR,
// =ldap forces LDAP (no fall-back: for tests and diagnosis); otherwise LDAP
// where the DC is an AD DC and SAMR elsewhere or when LDAP fails.
enum class ListingPath { Automatic, Samr, Ldap };
ListingPath listingPath();

// Reads the users (1) or machines (2) over LDAP when that path serves them:
// true with `status` set when it did (or was forced to and failed: 53),
// false when SAMR is to serve them.
bool listOverLdap(LdapConnections &ldap, const std::string &server, uint32_t level,
                  std::vector<NetDisplayRecord> &records, NetStatus &status);

// The records in the DC's order (not yet sorted): 0, or the LDAP failure.
int readDisplayAccounts(LdapSession &session, uint32_t level,
                        std::vector<NetDisplayRecord> &records, std::string &why);

// The flags a display record shows for an account's userAccountControl:
// those netapi32 knows, as NetUserGetInfo gives them.
uint32_t displayFlagsFromControl(uint32_t userAccountControl);

// The RID of a binary objectSid, 0 when it is not a domain account's SID.
uint32_t ridOfSid(const std::string &sid);

} // namespace platform::samba

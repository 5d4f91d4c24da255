// "User cannot change password" of an account on an Active Directory DC,
// read and written over LDAP in the account's nTSecurityDescriptor (only the
// DACL is read and written). SAMR has no way to it on Samba: the flag is not
// in SAMR's account flags, and the DC neither reports nor takes it there.
#pragma once

#include "platform/netapi/Statuses.h"
#include "platform/netapi/samba/LdapConnections.h"

#include <optional>
#include <string>

namespace platform::samba {

// The account's flag, or nullopt when it cannot be read over LDAP.
std::optional<bool> readCannotChangePassword(LdapConnections &ldap, const std::string &server,
                                             const std::string &account);
// Sets or clears the flag: 0, 5 refused, 2221 no such account, 50 when the
// server cannot be reached over LDAP, 2140 another failure (on stderr).
NetStatus writeCannotChangePassword(LdapConnections &ldap, const std::string &server,
                                    const std::string &account, bool set);

} // namespace platform::samba

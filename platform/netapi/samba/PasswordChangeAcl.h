// "User cannot change password" as Active Directory keeps it: two deny
// object ACEs for the User-Change-Password extended right, for Everyone and
// for SELF, in the account's DACL ([MS-ADTS] 5.1.3.2.1, [MS-DTYP] 2.4.4.3,
// 2.4.5, 2.4.6). Works on the self-relative descriptor an LDAP read with the
// SD flags control (DACL only) gives; every offset and size is checked, so a
// malformed descriptor from the wire is refused, never read past its end.
#pragma once

#include <optional>
#include <string>

namespace platform::samba {

// True when the DACL holds an explicit deny of the right for Everyone or SELF
// (either alone blocks the user's own change); nullopt for a malformed
// descriptor.
std::optional<bool> cannotChangePassword(const std::string &descriptor);

// A DACL-only self-relative descriptor with the flag set (the two deny ACEs
// first, the explicit allows for them gone) or cleared (denies gone, the two
// allows put back after the explicit denies); nullopt for a malformed one or
// one without a DACL.
std::optional<std::string> withCannotChangePassword(const std::string &descriptor, bool set);

} // namespace platform::samba

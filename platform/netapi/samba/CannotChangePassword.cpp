#include "platform/netapi/samba/CannotChangePassword.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/PasswordChangeAcl.h"

#include <cstdio>
#include <vector>

namespace platform::samba {

namespace {

constexpr char Descriptor[] = "nTSecurityDescriptor";

// The account's entry with its DACL: the LDAP result; found false when the
// search succeeded without it.
int findAccount(LdapSession &session, const std::string &account, LdapEntry &entry,
                bool &found, std::string &why)
{
    std::vector<LdapEntry> entries;
    const std::string filter = "(&(objectClass=user)(sAMAccountName="
        + ldapFilterValue(account) + "))";
    const int rc = session.search(filter, {Descriptor}, true, entries, why);
    found = rc == ldaprc::Success && entries.size() == 1;
    if (found)
        entry = std::move(entries.front());
    return rc;
}

} // namespace

std::optional<bool> readCannotChangePassword(LdapConnections &ldap, const std::string &server,
                                             const std::string &account)
{
    std::optional<bool> state;
    ldap.run(server, [&](LdapSession &session) {
        LdapEntry entry;
        bool found = false;
        std::string why;
        const int rc = findAccount(session, account, entry, found, why);
        if (found)
            state = cannotChangePassword(entry.first(Descriptor));
        return rc;
    });
    return state;
}

NetStatus writeCannotChangePassword(LdapConnections &ldap, const std::string &server,
                                    const std::string &account, bool set)
{
    if (!ldap.usable(server))
        return status::NotSupported;
    std::string why;
    bool found = false, malformed = false;
    const int rc = ldap.run(server, [&](LdapSession &session) {
        LdapEntry entry;
        if (const int searched = findAccount(session, account, entry, found, why))
            return searched;
        if (!found)
            return ldaprc::Success;
        const auto changed = withCannotChangePassword(entry.first(Descriptor), set);
        malformed = !changed;
        if (malformed)
            return ldaprc::Success;
        return session.replace(entry.dn, Descriptor, *changed, true, why);
    });
    if (rc == ldaprc::Success && !found)
        return status::UserNotFound;
    if (rc == ldaprc::Success && !malformed)
        return status::Success;
    if (malformed)
        why = "the security descriptor of " + account + " cannot be read";
    std::fprintf(stderr, "varnel: samba: \\\\%s: %s\n", serverHost(server).c_str(),
                 why.c_str());
    return rc == ldaprc::InsufficientAccess ? status::AccessDenied : status::InternalError;
}

} // namespace platform::samba

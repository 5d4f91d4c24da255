// The back end's LDAP connections: one per domain controller, opened on first
// use, bound with the back end's own credentials (a Kerberos ticket, the
// authentication file's password, or a proxy logon's, through an in-process
// Kerberos logon) and kept for the life of the process. A connection that
// broke, or whose ticket expired (the DC then answers 52), is opened and bound
// again once. A server where LDAP cannot be used (no LDAP server, not an AD
// DC, a bind refused) is remembered as such: the SAMR path serves it.
#pragma once

#include "platform/netapi/samba/LdapSession.h"
#include "platform/netapi/samba/SambaSettings.h"

#include <map>
#include <memory>
#include <string>

namespace platform::samba {

class LdapConnections {
public:
    explicit LdapConnections(const Settings &settings) : m_settings(settings) {}

    // Once, at start-up, before other threads: the private Kerberos
    // configuration, and SIGPIPE ignored (libldap writes to its socket with
    // write(), and a connection the DC closed would otherwise end the program).
    static void prepareProcess();

    // Runs op(session) on the server's bound session: op's LDAP result, or
    // the failure of connecting (ldaprc::NotActiveDirectory among them).
    template <typename Op>
    int run(const std::string &server, Op op)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            LdapSession *session = nullptr;
            if (const int failed = open(server, session))
                return failed;
            const int rc = op(*session);
            if ((rc != ldaprc::Unavailable && rc != ldaprc::ServerDown) || attempt == 1)
                return rc;
            drop(server);
        }
        return ldaprc::ServerDown;
    }

    // Whether the server's accounts can be reached over LDAP (opens the
    // connection when needed).
    bool usable(const std::string &server);
    void drop(const std::string &server);

private:
    int open(const std::string &server, LdapSession *&session);
    int bind(LdapSession &session, std::string &why);

    const Settings &m_settings;
    std::map<std::string, std::unique_ptr<LdapSession>> m_sessions;
    std::map<std::string, int> m_unusable;
};

} // namespace platform::samba

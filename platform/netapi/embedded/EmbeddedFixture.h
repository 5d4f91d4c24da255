// The embedded directory's fixture interface, for tests and demonstrations:
// it sets what netapi32 reads but cannot write (last logon and logoff, bad-
// password count and number of logons per controller, logon server, lock-out,
// operator flags, password-set time), checks a password, and shapes the
// network (password policy, domains, machines, shares, unreachable machines,
// bulk users). It works on the same file as the back end it is given.
//
// `database` names an account database: a domain's name, or a member
// machine's name for its local accounts. `controller` names the machine whose
// own record is set (a domain controller, or a member machine). Times are
// seconds since 1970-01-01 UTC. Statuses: Success, NoSuchDomain (no such
// database or domain), BadNetPath (no such machine), UserNotFound, or
// InternalError.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/netapi/embedded/Model.h"

#include <cstdint>
#include <string>

namespace platform::embedded {

class EmbeddedNetworkManagement;
class Store;

class EmbeddedFixture {
public:
    explicit EmbeddedFixture(EmbeddedNetworkManagement &net);

    bool verifyPassword(const std::string &database, const std::string &user,
                        const std::string &password);

    NetStatus setLastLogon(const std::string &controller, const std::string &user,
                           uint32_t time);
    NetStatus setLastLogoff(const std::string &controller, const std::string &user,
                            uint32_t time);
    NetStatus setBadPasswordCount(const std::string &controller, const std::string &user,
                                  uint32_t count);
    NetStatus setNumLogons(const std::string &controller, const std::string &user,
                           uint32_t count);

    NetStatus setLogonServer(const std::string &database, const std::string &user,
                             const std::string &server);
    NetStatus setLockedOut(const std::string &database, const std::string &user, bool locked);
    NetStatus setAuthFlags(const std::string &database, const std::string &user,
                           uint32_t flags);
    NetStatus setPasswordSetTime(const std::string &database, const std::string &user,
                                 uint32_t time);
    NetStatus setPasswordPolicy(const std::string &database, int minLength, bool complexity);

    NetStatus setMachineReachable(const std::string &machine, bool reachable);
    NetStatus setShareLevel2Denied(const std::string &machine, bool denied);

    // A new domain with its primary controller; trusted: the workstation's
    // domain trusts it (and it trusts the workstation's domain).
    NetStatus addDomain(const std::string &name, const std::string &pdcName, bool trusted);
    NetStatus addMachine(const std::string &domain, const std::string &name, Role role,
                         uint32_t type);
    NetStatus addShare(const std::string &machine, const std::string &netname, uint32_t type,
                       const std::string &remark, const std::string &path);
    // See seedUsers() in Seed.h.
    NetStatus seedUsers(const std::string &domain, int count, const std::string &prefix,
                        int &added);

private:
    NetStatus setAccountColumn(const std::string &database, const std::string &user,
                               const char *column, int64_t value, const std::string *text);
    NetStatus setControllerColumn(const std::string &controller, const std::string &user,
                                  const char *column, uint32_t value);
    NetStatus setMachineColumn(const std::string &machine, const char *column, int64_t value);

    Store &m_store;
};

} // namespace platform::embedded

// Builds the network: domains with their built-in accounts and groups,
// machines with their own databases and computer accounts, trusts, users,
// groups, members and shares. The seed and the fixture use it; every call
// runs inside the caller's transaction and ok() tells whether all succeeded.
#pragma once

#include "platform/netapi/embedded/Model.h"

#include <cstdint>
#include <string>

namespace platform::embedded {

class Database;

class ModelBuilder {
public:
    // passwordHash: the digest given to the built-in and seeded accounts.
    ModelBuilder(Database &db, uint32_t now, std::string passwordHash);

    bool ok() const { return m_ok; }

    // A domain and its database, with Administrator, Guest, Domain Admins,
    // Domain Users, Domain Guests and the built-in local groups.
    int64_t addDomain(const std::string &name);
    void addTrust(int64_t trustingDomainId, int64_t trustedDomainId);
    // A machine of the domain. A controller shares the domain's database; a
    // member gets its own, with Administrator, Guest, "None" and the built-in
    // local groups holding the domain's groups. Either way the domain gets the
    // machine's computer account NAME$.
    int64_t addMachine(int64_t domainId, const std::string &name, Role role, uint32_t type,
                       uint32_t versionMajor, uint32_t versionMinor, const std::string &comment);
    void setLocal(int64_t machineId);

    int64_t addUser(int64_t samId, const std::string &name, const std::string &fullName,
                    const std::string &comment, uint32_t flags = 0x201);
    // A computer account NAME$ in the database; a controller's is a server
    // trust account. userLink: the account's comment, DOMAIN\user.
    int64_t addComputer(int64_t samId, const std::string &name, bool controller = false,
                        const std::string &userLink = {});
    int64_t addGroup(int64_t samId, const std::string &name, const std::string &comment,
                     bool local, uint32_t rid = 0);
    void addGroupMember(int64_t groupId, int64_t accountId);
    void addAliasMember(int64_t aliasId, int64_t accountId, int64_t memberGroupId);
    void addShare(int64_t machineId, const std::string &netname, uint32_t type,
                  const std::string &remark, const std::string &path);

    int64_t samOfDomain(int64_t domainId);
    int64_t samOfMachine(int64_t machineId);
    // A group of the database by name (0 when missing).
    int64_t groupId(int64_t samId, const std::string &name, bool local);
    int64_t accountId(int64_t samId, const std::string &name);

private:
    int64_t addSam(const std::string &name);
    void addBuiltInAccounts(int64_t samId, uint32_t usersRid);
    void addBuiltInAliases(int64_t samId, bool controller);
    int64_t insertAccount(int64_t samId, uint32_t rid, const std::string &name,
                          const std::string &fullName, const std::string &comment,
                          uint32_t flags, uint32_t priv, uint32_t primaryRid);
    int64_t insertGroup(int64_t samId, uint32_t rid, const std::string &name,
                        const std::string &comment, bool local, bool builtin);
    uint32_t nextRid(int64_t samId);
    int64_t lookup(const char *sql, int64_t id, const std::string &text);
    void check(bool success);

    Database &m_db;
    uint32_t m_now;
    std::string m_passwordHash;
    bool m_ok = true;
};

} // namespace platform::embedded

#include "platform/netapi/embedded/ModelBuilder.h"

#include "platform/netapi/embedded/Database.h"

namespace platform::embedded {

namespace {

struct BuiltInAlias {
    uint32_t rid;
    const char *name;
    const char *comment;
    bool onControllers;
    bool onMembers;
};

constexpr BuiltInAlias BuiltInAliases[] = {
    {544, "Administrators", "Members can fully administer the computer/domain", true, true},
    {545, "Users", "Ordinary users", true, true},
    {546, "Guests", "Users granted guest access to the computer/domain", true, true},
    {547, "Power Users", "Members can share directories and printers", false, true},
    {548, "Account Operators", "Members can administer domain user and group accounts", true,
     false},
    {549, "Server Operators", "Members can administer domain servers", true, false},
    {550, "Print Operators", "Members can administer domain printers", true, false},
    {551, "Backup Operators", "Members can bypass file security to back up files", true, true},
    {552, "Replicator", "Supports file replication in a domain", true, true},
};

constexpr uint32_t AdministratorRid = 500;
constexpr uint32_t GuestRid = 501;
constexpr uint32_t DomainAdminsRid = 512;
constexpr uint32_t DomainGuestsRid = 514;

} // namespace

ModelBuilder::ModelBuilder(Database &db, uint32_t now, std::string passwordHash)
    : m_db(db), m_now(now), m_passwordHash(std::move(passwordHash))
{
}

void ModelBuilder::check(bool success)
{
    m_ok = m_ok && success;
}

int64_t ModelBuilder::addSam(const std::string &name)
{
    Statement insert = m_db.prepare("INSERT INTO sams (name) VALUES (?)");
    insert.bind(1, name);
    check(insert.run());
    return m_db.lastInsertId();
}

int64_t ModelBuilder::addDomain(const std::string &name)
{
    const int64_t samId = addSam(name);
    Statement insert =
        m_db.prepare("INSERT INTO domains (name, upper_name, sam_id) VALUES (?, ?, ?)");
    insert.bind(1, name).bind(2, upperName(name)).bind(3, samId);
    check(insert.run());
    const int64_t domainId = m_db.lastInsertId();
    insertGroup(samId, DomainAdminsRid, "Domain Admins", "Designated administrators of the domain",
                false, true);
    insertGroup(samId, DomainUsersRid, "Domain Users", "All domain users", false, true);
    insertGroup(samId, DomainGuestsRid, "Domain Guests", "All domain guests", false, true);
    addBuiltInAccounts(samId, DomainUsersRid);
    addGroupMember(groupId(samId, "Domain Admins", false), accountId(samId, "Administrator"));
    addBuiltInAliases(samId, true);
    const int64_t administrators = groupId(samId, "Administrators", true);
    addAliasMember(administrators, 0, groupId(samId, "Domain Admins", false));
    addAliasMember(administrators, accountId(samId, "Administrator"), 0);
    addAliasMember(groupId(samId, "Users", true), 0, groupId(samId, "Domain Users", false));
    addAliasMember(groupId(samId, "Guests", true), 0, groupId(samId, "Domain Guests", false));
    return domainId;
}

void ModelBuilder::addBuiltInAccounts(int64_t samId, uint32_t usersRid)
{
    insertAccount(samId, AdministratorRid, "Administrator", "",
                  "Built-in account for administering the computer/domain", 0x10201, 2,
                  usersRid);
    // The domain's guest belongs to Domain Guests; a machine's to "None".
    const bool inDomain = groupId(samId, "Domain Guests", false) != 0;
    insertAccount(samId, GuestRid, "Guest", "",
                  "Built-in account for guest access to the computer/domain", 0x10203, 0,
                  inDomain ? DomainGuestsRid : usersRid);
}

void ModelBuilder::addBuiltInAliases(int64_t samId, bool controller)
{
    for (const BuiltInAlias &alias : BuiltInAliases) {
        if (controller ? alias.onControllers : alias.onMembers)
            insertGroup(samId, alias.rid, alias.name, alias.comment, true, true);
    }
}

void ModelBuilder::addTrust(int64_t trustingDomainId, int64_t trustedDomainId)
{
    Statement insert = m_db.prepare("INSERT INTO trusts (trusting_id, trusted_id) VALUES (?, ?)");
    insert.bind(1, trustingDomainId).bind(2, trustedDomainId);
    check(insert.run());
}

int64_t ModelBuilder::addMachine(int64_t domainId, const std::string &name, Role role,
                                 uint32_t type, uint32_t versionMajor, uint32_t versionMinor,
                                 const std::string &comment)
{
    const int64_t domainSam = samOfDomain(domainId);
    int64_t samId = domainSam;
    if (role == Role::Member) {
        samId = addSam(name);
        insertGroup(samId, DomainUsersRid, "None", "Ordinary users", false, true);
        addBuiltInAccounts(samId, DomainUsersRid);
        addBuiltInAliases(samId, false);
        const int64_t administrators = groupId(samId, "Administrators", true);
        addAliasMember(administrators, accountId(samId, "Administrator"), 0);
        addAliasMember(administrators, 0, groupId(domainSam, "Domain Admins", false));
        addAliasMember(groupId(samId, "Users", true), 0,
                       groupId(domainSam, "Domain Users", false));
        const int64_t guests = groupId(samId, "Guests", true);
        addAliasMember(guests, accountId(samId, "Guest"), 0);
        addAliasMember(guests, 0, groupId(domainSam, "Domain Guests", false));
    }
    Statement insert = m_db.prepare(
        "INSERT INTO machines (name, upper_name, domain_id, sam_id, role, type, version_major, "
        "version_minor, comment) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, name).bind(2, upperName(name)).bind(3, domainId).bind(4, samId);
    insert.bind(5, int64_t(role)).bind(6, int64_t(type)).bind(7, int64_t(versionMajor));
    insert.bind(8, int64_t(versionMinor)).bind(9, comment);
    check(insert.run());
    const int64_t machineId = m_db.lastInsertId();
    addComputer(domainSam, name, role != Role::Member);
    return machineId;
}

void ModelBuilder::setLocal(int64_t machineId)
{
    Statement update = m_db.prepare("UPDATE machines SET is_local = (id = ?)");
    update.bind(1, machineId);
    check(update.run());
}

int64_t ModelBuilder::addUser(int64_t samId, const std::string &name,
                              const std::string &fullName, const std::string &comment,
                              uint32_t flags)
{
    return insertAccount(samId, nextRid(samId), name, fullName, comment, flags, 1,
                         DomainUsersRid);
}

int64_t ModelBuilder::addComputer(int64_t samId, const std::string &name, bool controller,
                                  const std::string &userLink)
{
    const uint32_t flags = controller ? 0x2001 : 0x1001;
    return insertAccount(samId, nextRid(samId), upperName(name) + "$", "", userLink, flags, 1,
                         DomainUsersRid);
}

int64_t ModelBuilder::addGroup(int64_t samId, const std::string &name,
                               const std::string &comment, bool local, uint32_t rid)
{
    return insertGroup(samId, rid ? rid : nextRid(samId), name, comment, local, false);
}

void ModelBuilder::addGroupMember(int64_t groupId, int64_t accountId)
{
    Statement insert = m_db.prepare(
        "INSERT OR IGNORE INTO group_members (group_id, account_id) VALUES (?, ?)");
    insert.bind(1, groupId).bind(2, accountId);
    check(groupId && accountId && insert.run());
}

void ModelBuilder::addAliasMember(int64_t aliasId, int64_t accountId, int64_t memberGroupId)
{
    Statement insert = m_db.prepare(
        "INSERT INTO alias_members (alias_id, account_id, member_group_id) VALUES (?, ?, ?)");
    insert.bind(1, aliasId);
    accountId ? insert.bind(2, accountId) : insert.bindNull(2);
    memberGroupId ? insert.bind(3, memberGroupId) : insert.bindNull(3);
    check(aliasId && (accountId || memberGroupId) && insert.run());
}

void ModelBuilder::addShare(int64_t machineId, const std::string &netname, uint32_t type,
                            const std::string &remark, const std::string &path)
{
    Statement insert = m_db.prepare(
        "INSERT INTO shares (machine_id, netname, upper_name, type, remark, path) "
        "VALUES (?, ?, ?, ?, ?, ?)");
    insert.bind(1, machineId).bind(2, netname).bind(3, upperName(netname));
    insert.bind(4, int64_t(type)).bind(5, remark).bind(6, path);
    check(insert.run());
}

int64_t ModelBuilder::samOfDomain(int64_t domainId)
{
    return lookup("SELECT sam_id FROM domains WHERE id = ?", domainId, {});
}

int64_t ModelBuilder::samOfMachine(int64_t machineId)
{
    return lookup("SELECT sam_id FROM machines WHERE id = ?", machineId, {});
}

int64_t ModelBuilder::groupId(int64_t samId, const std::string &name, bool local)
{
    return lookup(local
                      ? "SELECT id FROM groups WHERE sam_id = ? AND upper_name = ? AND local = 1"
                      : "SELECT id FROM groups WHERE sam_id = ? AND upper_name = ? AND local = 0",
                  samId, upperName(name));
}

int64_t ModelBuilder::accountId(int64_t samId, const std::string &name)
{
    return lookup("SELECT id FROM accounts WHERE sam_id = ? AND upper_name = ?", samId,
                  upperName(name));
}

int64_t ModelBuilder::lookup(const char *sql, int64_t id, const std::string &text)
{
    Statement query = m_db.prepare(sql);
    query.bind(1, id);
    if (!text.empty())
        query.bind(2, text);
    return query.step() ? query.integer(0) : 0;
}

int64_t ModelBuilder::insertAccount(int64_t samId, uint32_t rid, const std::string &name,
                                    const std::string &fullName, const std::string &comment,
                                    uint32_t flags, uint32_t priv, uint32_t primaryRid)
{
    Statement insert = m_db.prepare(
        "INSERT INTO accounts (sam_id, rid, name, upper_name, password_hash, password_set, "
        "priv, comment, flags, full_name, primary_group_rid) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, samId).bind(2, int64_t(rid)).bind(3, name).bind(4, upperName(name));
    insert.bind(5, m_passwordHash).bind(6, int64_t(m_now)).bind(7, int64_t(priv));
    insert.bind(8, comment).bind(9, int64_t(flags)).bind(10, fullName);
    insert.bind(11, int64_t(primaryRid));
    check(insert.run());
    const int64_t id = m_db.lastInsertId();
    Statement join = m_db.prepare(
        "INSERT OR IGNORE INTO group_members (group_id, account_id) "
        "SELECT id, ? FROM groups WHERE sam_id = ? AND local = 0 AND rid = ?");
    join.bind(1, id).bind(2, samId).bind(3, int64_t(primaryRid));
    check(join.run());
    return id;
}

int64_t ModelBuilder::insertGroup(int64_t samId, uint32_t rid, const std::string &name,
                                  const std::string &comment, bool local, bool builtin)
{
    Statement insert = m_db.prepare(
        "INSERT INTO groups (sam_id, rid, local, builtin, name, upper_name, comment) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, samId).bind(2, int64_t(rid)).bind(3, int64_t(local));
    insert.bind(4, int64_t(builtin)).bind(5, name).bind(6, upperName(name)).bind(7, comment);
    check(insert.run());
    return m_db.lastInsertId();
}

uint32_t ModelBuilder::nextRid(int64_t samId)
{
    uint32_t rid = 0;
    check(allocateRid(m_db, samId, rid));
    return rid;
}

} // namespace platform::embedded

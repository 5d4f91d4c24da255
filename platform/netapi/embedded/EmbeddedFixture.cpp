#include "platform/netapi/embedded/EmbeddedFixture.h"

#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "platform/netapi/embedded/ModelBuilder.h"
#include "platform/netapi/embedded/Passwords.h"
#include "platform/netapi/embedded/Seed.h"

namespace platform::embedded {

namespace {

constexpr uint32_t PrimaryControllerType = svtype::Workstation | svtype::Server
    | svtype::DomainCtrl | svtype::Nt | svtype::ServerNt;

NetStatus finish(Transaction &transaction, bool ok)
{
    return ok && transaction.commit() ? status::Success : status::InternalError;
}

} // namespace

EmbeddedFixture::EmbeddedFixture(EmbeddedNetworkManagement &net) : m_store(net.store()) {}

bool EmbeddedFixture::verifyPassword(const std::string &database, const std::string &user,
                                     const std::string &password)
{
    SamRow sam;
    AccountRow account;
    return m_store.isOpen() && findSamByName(m_store.db(), database, sam)
        && findAccount(m_store.db(), sam.id, user, account)
        && embedded::verifyPassword(password, account.passwordHash);
}

NetStatus EmbeddedFixture::setAccountColumn(const std::string &database,
                                            const std::string &user, const char *column,
                                            int64_t value, const std::string *text)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    SamRow sam;
    AccountRow account;
    if (!findSamByName(db, database, sam))
        return status::NoSuchDomain;
    if (!findAccount(db, sam.id, user, account))
        return status::UserNotFound;
    const std::string sql = std::string("UPDATE accounts SET ") + column + " = ? WHERE id = ?";
    Statement update = db.prepare(sql.c_str());
    text ? update.bind(1, *text) : update.bind(1, value);
    update.bind(2, account.id);
    return finish(transaction, update.run());
}

NetStatus EmbeddedFixture::setControllerColumn(const std::string &controller,
                                               const std::string &user, const char *column,
                                               uint32_t value)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    MachineRow machine;
    AccountRow account;
    if (!findMachine(db, controller, machine))
        return status::BadNetPath;
    if (!findAccount(db, machine.samId, user, account))
        return status::UserNotFound;
    const std::string sql = std::string("INSERT INTO controller_logons (account_id, machine_id, ")
        + column + ") VALUES (?, ?, ?) ON CONFLICT (account_id, machine_id) DO UPDATE SET "
        + column + " = excluded." + column;
    Statement upsert = db.prepare(sql.c_str());
    upsert.bind(1, account.id).bind(2, machine.id).bind(3, int64_t(value));
    return finish(transaction, upsert.run());
}

NetStatus EmbeddedFixture::setMachineColumn(const std::string &machine, const char *column,
                                            int64_t value)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    MachineRow row;
    if (!findMachine(db, machine, row))
        return status::BadNetPath;
    const std::string sql = std::string("UPDATE machines SET ") + column + " = ? WHERE id = ?";
    Statement update = db.prepare(sql.c_str());
    update.bind(1, value).bind(2, row.id);
    return finish(transaction, update.run());
}

NetStatus EmbeddedFixture::setLastLogon(const std::string &controller, const std::string &user,
                                        uint32_t time)
{
    return setControllerColumn(controller, user, "last_logon", time);
}

NetStatus EmbeddedFixture::setLastLogoff(const std::string &controller, const std::string &user,
                                         uint32_t time)
{
    return setControllerColumn(controller, user, "last_logoff", time);
}

NetStatus EmbeddedFixture::setBadPasswordCount(const std::string &controller,
                                               const std::string &user, uint32_t count)
{
    return setControllerColumn(controller, user, "bad_pw_count", count);
}

NetStatus EmbeddedFixture::setNumLogons(const std::string &controller, const std::string &user,
                                        uint32_t count)
{
    return setControllerColumn(controller, user, "num_logons", count);
}

NetStatus EmbeddedFixture::setLogonServer(const std::string &database, const std::string &user,
                                          const std::string &server)
{
    return setAccountColumn(database, user, "logon_server", 0, &server);
}

NetStatus EmbeddedFixture::setLockedOut(const std::string &database, const std::string &user,
                                        bool locked)
{
    return setAccountColumn(database, user, "locked", locked, nullptr);
}

NetStatus EmbeddedFixture::setAuthFlags(const std::string &database, const std::string &user,
                                        uint32_t flags)
{
    return setAccountColumn(database, user, "auth_flags", flags, nullptr);
}

NetStatus EmbeddedFixture::setPasswordSetTime(const std::string &database,
                                              const std::string &user, uint32_t time)
{
    return setAccountColumn(database, user, "password_set", time, nullptr);
}

NetStatus EmbeddedFixture::setPasswordPolicy(const std::string &database, int minLength,
                                             bool complexity)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    SamRow sam;
    if (!findSamByName(db, database, sam))
        return status::NoSuchDomain;
    Statement update = db.prepare(
        "UPDATE sams SET min_password_length = ?, password_complexity = ? WHERE id = ?");
    update.bind(1, int64_t(minLength)).bind(2, int64_t(complexity)).bind(3, sam.id);
    return finish(transaction, update.run());
}

NetStatus EmbeddedFixture::setMachineReachable(const std::string &machine, bool reachable)
{
    return setMachineColumn(machine, "reachable", reachable);
}

NetStatus EmbeddedFixture::setShareLevel2Denied(const std::string &machine, bool denied)
{
    return setMachineColumn(machine, "share_level2_denied", denied);
}

NetStatus EmbeddedFixture::addDomain(const std::string &name, const std::string &pdcName,
                                     bool trusted)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    ModelBuilder build(db, m_store.now(), hashPassword(SeedPassword));
    const int64_t domainId = build.addDomain(name);
    build.addMachine(domainId, pdcName, Role::Primary, PrimaryControllerType, 5, 0, "");
    MachineRow local;
    if (trusted && localMachine(db, local)) {
        build.addTrust(local.domainId, domainId);
        build.addTrust(domainId, local.domainId);
    }
    return finish(transaction, build.ok());
}

NetStatus EmbeddedFixture::addMachine(const std::string &domain, const std::string &name,
                                      Role role, uint32_t type)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    DomainRow target;
    if (!findDomain(db, domain, target))
        return status::NoSuchDomain;
    ModelBuilder build(db, m_store.now(), hashPassword(SeedPassword));
    build.addMachine(target.id, name, role, type, 5, 0, "");
    return finish(transaction, build.ok());
}

NetStatus EmbeddedFixture::addShare(const std::string &machine, const std::string &netname,
                                    uint32_t type, const std::string &remark,
                                    const std::string &path)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    MachineRow row;
    if (!findMachine(db, machine, row))
        return status::BadNetPath;
    ModelBuilder build(db, m_store.now(), std::string());
    build.addShare(row.id, netname, type, remark, path);
    return finish(transaction, build.ok());
}

NetStatus EmbeddedFixture::seedUsers(const std::string &domain, int count,
                                     const std::string &prefix, int &added)
{
    return embedded::seedUsers(m_store, domain, count, prefix, added);
}

} // namespace platform::embedded

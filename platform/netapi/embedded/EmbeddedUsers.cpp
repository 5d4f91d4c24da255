// User and computer accounts: NetUserAdd, NetUserDel, NetUserGetInfo,
// NetUserSetInfo.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Model.h"

namespace platform::embedded {

namespace {

using netapi::NameKind;
using netapi::Situation;
using netapi::statusFor;

NameKind kindOf(uint32_t flags)
{
    return isMachineAccount(flags) ? NameKind::Computer : NameKind::User;
}

// Machine trust passwords are set by the machine itself (its lower-case name
// at first), so the domain's policy is for people's accounts only.
bool passwordAllowed(const std::string &password, const std::string &name, uint32_t flags,
                     const SamRow &sam)
{
    return isMachineAccount(flags) || meetsPolicy(password, name, sam.policy);
}

NetStatus checkNewUser(uint32_t level, const UserInfo3 &info, uint32_t *parmErr)
{
    if (const NetStatus bad = netapi::checkAccountName(info.name, kindOf(info.flags)))
        return bad;
    if (info.priv != priv::User)
        return invalidParameter(parmErr, UserPrivParm);
    if (!hasOneAccountType(info.flags))
        return invalidParameter(parmErr, UserFlagsParm);
    if (level == 3 && info.primaryGroupId != DomainUsersRid)
        return invalidParameter(parmErr, UserPrimaryGroupParm);
    return status::Success;
}

bool isMemberOfGlobalGroup(Database &db, const AccountRow &account, uint32_t rid)
{
    Statement query = db.prepare(
        "SELECT 1 FROM group_members m JOIN groups g ON g.id = m.group_id "
        "WHERE m.account_id = ? AND g.sam_id = ? AND g.local = 0 AND g.rid = ?");
    query.bind(1, account.id).bind(2, account.samId).bind(3, int64_t(rid));
    return query.step();
}

bool unlock(Database &db, AccountRow &account)
{
    account.locked = false;
    Statement reset = db.prepare("UPDATE controller_logons SET bad_pw_count = 0 "
                                 "WHERE account_id = ?");
    reset.bind(1, account.id);
    return reset.run();
}

NetStatus rename(Database &db, AccountRow &account, const std::string &newName)
{
    if (const NetStatus bad = netapi::checkAccountName(newName, kindOf(account.flags)))
        return bad;
    if (upperName(newName) != upperName(account.name)) {
        if (const NetStatus taken = nameTakenStatus(nameOwner(db, account.samId,
                                                              upperName(newName))))
            return taken;
    }
    account.name = newName;
    return status::Success;
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetUserAdd(const std::string &server, uint32_t level,
                                                const UserInfo3 &info, uint32_t *parmErr)
{
    if (!levelOffered(level, {1, 3}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkNewUser(level, info, parmErr))
        return status;
    Database &db = m_store.db();
    SamRow sam;
    if (!loadSam(db, machine.samId, sam))
        return status::InternalError;
    AccountRow account;
    account.samId = sam.id;
    account.name = info.name;
    account.passwordHash = hashPassword(info.password);
    account.passwordSet = m_store.now();
    account.mustChange = level == 3 && info.passwordExpired != 0;
    applyUserInfo(info, level, account);

    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    // A controller looks at the name before the password: a taken name with
    // a weak password answers "exists".
    if (const NetStatus taken = nameTakenStatus(nameOwner(db, sam.id, upperName(info.name))))
        return taken;
    if (!passwordAllowed(info.password, info.name, info.flags, sam))
        return statusFor(Situation::PasswordPolicy);
    if (!allocateRid(db, sam.id, account.rid) || !insertAccount(db, account)
        || !joinPrimaryGroup(db, account) || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetUserDel(const std::string &server,
                                                const std::string &userName)
{
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    AccountRow account;
    if (!findAccount(db, machine.samId, userName, account))
        return statusFor(Situation::BadUserLookedUp);
    if (account.rid < 1000)
        return statusFor(Situation::BuiltInAccount);
    Statement remove = db.prepare("DELETE FROM accounts WHERE id = ?");
    remove.bind(1, account.id);
    if (!markDeleted(db, DisplayTable::Accounts, account.id, upperName(account.name))
        || !remove.run() || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetUserGetInfo(const std::string &server,
                                                    const std::string &userName, uint32_t level,
                                                    UserInfo3 &info)
{
    if (!levelOffered(level, {0, 1, 3}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    AccountRow account;
    if (!findAccount(db, machine.samId, userName, account))
        return statusFor(Situation::BadUserLookedUp);
    toUserInfo(account, controllerState(db, account.id, machine.id), m_store.now(), level, info);
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetUserSetInfo(const std::string &server,
                                                    const std::string &userName, uint32_t level,
                                                    const UserInfo3 &info, uint32_t *parmErr)
{
    if (!levelOffered(level, {0, 1, 3}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    if (level != 0 && !hasOneAccountType(info.flags))
        return invalidParameter(parmErr, UserFlagsParm);
    const bool newPassword = level != 0 && !info.password.empty();
    const std::string passwordHash = newPassword ? hashPassword(info.password) : std::string();

    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    AccountRow account;
    if (!findAccount(db, machine.samId, userName, account))
        return statusFor(Situation::BadUserLookedUp);
    if (level == 0) {
        if (const NetStatus status = rename(db, account, info.name))
            return status;
    } else {
        SamRow sam;
        if (!loadSam(db, account.samId, sam))
            return status::InternalError;
        if (newPassword && !passwordAllowed(info.password, account.name, info.flags, sam))
            return statusFor(Situation::PasswordPolicy);
        if (level == 3 && info.primaryGroupId != account.primaryGroupRid) {
            if (!isMemberOfGlobalGroup(db, account, info.primaryGroupId))
                return invalidParameter(parmErr, UserPrimaryGroupParm);
            account.primaryGroupRid = info.primaryGroupId;
        }
        const bool wasLocked = account.locked;
        applyUserInfo(info, level, account);
        if (wasLocked && !(info.flags & uf::Lockout) && !unlock(db, account))
            return status::InternalError;
        if (level == 3) {
            if (!info.passwordExpired && account.mustChange)
                account.passwordSet = m_store.now();
            account.mustChange = info.passwordExpired != 0;
        }
        if (newPassword) {
            account.passwordHash = passwordHash;
            account.passwordSet = m_store.now();
        }
    }
    if (!updateAccount(db, account) || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

} // namespace platform::embedded

// Global groups: NetGroupAdd, Del, GetInfo, SetInfo, Enum, GetUsers, AddUser,
// DelUser. They live in a domain's database; a member machine has only "None".
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/GroupCalls.h"
#include "platform/netapi/embedded/Groups.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Paging.h"

namespace platform::embedded {

namespace {

using netapi::Situation;
using netapi::statusFor;

bool isMember(Database &db, const GroupRow &group, const AccountRow &account)
{
    Statement query =
        db.prepare("SELECT 1 FROM group_members WHERE group_id = ? AND account_id = ?");
    query.bind(1, group.id).bind(2, account.id);
    return query.step();
}

// The group and the user of a membership change, or the status that stops it.
NetStatus findPair(Database &db, int64_t samId, const std::string &groupName,
                   const std::string &userName, GroupRow &group, AccountRow &account)
{
    if (!findGroup(db, samId, groupName, false, group))
        return statusFor(Situation::BadGroupLookedUp);
    if (!findAccount(db, samId, userName, account))
        return statusFor(Situation::BadUserLookedUp);
    return status::Success;
}

bool insertMember(Database &db, const GroupRow &group, const AccountRow &account)
{
    Statement insert =
        db.prepare("INSERT INTO group_members (group_id, account_id) VALUES (?, ?)");
    insert.bind(1, group.id).bind(2, account.id);
    return insert.run();
}

bool deleteMember(Database &db, const GroupRow &group, const AccountRow &account)
{
    Statement remove =
        db.prepare("DELETE FROM group_members WHERE group_id = ? AND account_id = ?");
    remove.bind(1, group.id).bind(2, account.id);
    return remove.run();
}

// NetGroupAddUser and NetGroupDelUser: a user's primary group membership
// cannot be taken away.
NetStatus changeMembership(Store &store, const std::string &server,
                           const std::string &groupName, const std::string &userName, bool add)
{
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(store, server, machine))
        return status;
    Database &db = store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    AccountRow account;
    if (const NetStatus status = findPair(db, machine.samId, groupName, userName, group, account))
        return status;
    const bool present = isMember(db, group, account);
    if (add && present)
        return status::UserInGroup;
    if (!add && !present)
        return status::UserNotInGroup;
    if (!add && account.primaryGroupRid == group.rid)
        return statusFor(Situation::PrimaryGroupMember);
    if (!(add ? insertMember(db, group, account) : deleteMember(db, group, account))
        || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetGroupAdd(const std::string &server, uint32_t level,
                                                 const GroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    if (machine.role != Role::Primary)
        return statusFor(Situation::GlobalGroupOffDomain);
    GroupInfo1 record = info;
    if (level == 0)
        record.comment.clear();
    return addGroup(m_store.db(), machine.samId, record, false);
}

NetStatus EmbeddedNetworkManagement::NetGroupDel(const std::string &server,
                                                 const std::string &groupName)
{
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    return deleteGroupNamed(m_store.db(), machine.samId, groupName, false);
}

NetStatus EmbeddedNetworkManagement::NetGroupGetInfo(const std::string &server,
                                                     const std::string &groupName,
                                                     uint32_t level, GroupInfo1 &info)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    return getGroupInfo(m_store.db(), machine.samId, groupName, false, level, info);
}

NetStatus EmbeddedNetworkManagement::NetGroupSetInfo(const std::string &server,
                                                     const std::string &groupName,
                                                     uint32_t level, const GroupInfo1 &info,
                                                     uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    return setGroupInfo(m_store.db(), machine.samId, groupName, false, level, info);
}

NetStatus EmbeddedNetworkManagement::NetGroupEnum(const std::string &server, uint32_t level,
                                                  std::vector<GroupInfo1> &buffer,
                                                  uint32_t prefMaxLen, uint32_t &entriesRead,
                                                  uint32_t &totalEntries,
                                                  uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    return enumGroups(m_store.db(), machine.samId, false, level, buffer, prefMaxLen, entriesRead,
                      totalEntries, resumeHandle);
}

NetStatus EmbeddedNetworkManagement::NetGroupGetUsers(const std::string &server,
                                                      const std::string &groupName,
                                                      uint32_t level,
                                                      std::vector<GroupUsersInfo0> &buffer,
                                                      uint32_t prefMaxLen,
                                                      uint32_t &entriesRead,
                                                      uint32_t &totalEntries,
                                                      uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    GroupRow group;
    if (!findGroup(db, machine.samId, groupName, false, group))
        return statusFor(Situation::BadGroupLookedUp);
    return pageQuery<GroupUsersInfo0>(
        db, "SELECT COUNT(*) FROM group_members WHERE group_id = ? AND id > ?",
        "SELECT m.id, a.name FROM group_members m JOIN accounts a ON a.id = m.account_id "
        "WHERE m.group_id = ? AND m.id > ? ORDER BY m.id LIMIT ?",
        [&](Statement &s) { s.bind(1, group.id); }, 1,
        [](const Statement &row) { return GroupUsersInfo0{row.text(1)}; },
        [](const GroupUsersInfo0 &info) { return netapi::nameRecordBytes(info.name); },
        prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus EmbeddedNetworkManagement::NetGroupAddUser(const std::string &server,
                                                     const std::string &groupName,
                                                     const std::string &userName)
{
    return changeMembership(m_store, server, groupName, userName, true);
}

NetStatus EmbeddedNetworkManagement::NetGroupDelUser(const std::string &server,
                                                     const std::string &groupName,
                                                     const std::string &userName)
{
    return changeMembership(m_store, server, groupName, userName, false);
}

} // namespace platform::embedded

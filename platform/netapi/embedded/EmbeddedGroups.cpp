// Global groups: NetGroupAdd, Del, GetInfo, SetInfo, Enum, GetUsers, AddUser,
// DelUser. They live in a domain's database; a member machine has only "None".
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Groups.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Paging.h"

namespace platform::embedded {

namespace {

using netapi::Situation;
using netapi::statusFor;

bool isPrimaryGroupOfAnyone(Database &db, const GroupRow &group)
{
    Statement query =
        db.prepare("SELECT 1 FROM accounts WHERE sam_id = ? AND primary_group_rid = ? LIMIT 1");
    query.bind(1, group.samId).bind(2, int64_t(group.rid));
    return query.step();
}

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

} // namespace

NetStatus EmbeddedNetworkManagement::NetGroupAdd(const std::string &server, uint32_t level,
                                                 const GroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkWritable(machine))
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
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkWritable(machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    if (!findGroup(db, machine.samId, groupName, false, group))
        return statusFor(Situation::BadGroupLookedUp);
    if (group.builtin)
        return statusFor(Situation::BuiltInGroup);
    if (isPrimaryGroupOfAnyone(db, group))
        return statusFor(Situation::PrimaryGroupMember);
    if (!deleteGroup(db, group) || !transaction.commit())
        return status::InternalError;
    return status::Success;
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
    GroupRow group;
    if (!findGroup(m_store.db(), machine.samId, groupName, false, group))
        return statusFor(Situation::BadGroupLookedUp);
    info = {group.name, level == 1 ? group.comment : std::string()};
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetGroupSetInfo(const std::string &server,
                                                     const std::string &groupName,
                                                     uint32_t level, const GroupInfo1 &info,
                                                     uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkWritable(machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    if (!findGroup(db, machine.samId, groupName, false, group))
        return statusFor(Situation::BadGroupLookedUp);
    if (level == 0) {
        if (const NetStatus status = renameGroup(db, group, info.name))
            return status;
    } else {
        group.comment = info.comment;
    }
    if (!updateGroup(db, group) || !transaction.commit())
        return status::InternalError;
    return status::Success;
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
    Transaction transaction(m_store.db(), Transaction::Mode::Read);
    return pageQuery<GroupInfo1>(
        m_store.db(),
        "SELECT COUNT(*) FROM groups WHERE sam_id = ? AND local = 0 AND id > ?",
        "SELECT id, name, comment FROM groups WHERE sam_id = ? AND local = 0 AND id > ? "
        "ORDER BY id LIMIT ?",
        [&](Statement &s) { s.bind(1, machine.samId); }, 1,
        [level](const Statement &row) {
            return GroupInfo1{row.text(1), level == 1 ? row.text(2) : std::string()};
        },
        [level](const GroupInfo1 &info) { return netapi::groupInfoBytes(info, level); },
        prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
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
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkWritable(machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    AccountRow account;
    if (const NetStatus status = findPair(db, machine.samId, groupName, userName, group, account))
        return status;
    if (isMember(db, group, account))
        return status::UserInGroup;
    Statement insert =
        db.prepare("INSERT INTO group_members (group_id, account_id) VALUES (?, ?)");
    insert.bind(1, group.id).bind(2, account.id);
    if (!insert.run() || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetGroupDelUser(const std::string &server,
                                                     const std::string &groupName,
                                                     const std::string &userName)
{
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkWritable(machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    AccountRow account;
    if (const NetStatus status = findPair(db, machine.samId, groupName, userName, group, account))
        return status;
    if (!isMember(db, group, account))
        return status::UserNotInGroup;
    if (account.primaryGroupRid == group.rid)
        return statusFor(Situation::PrimaryGroupMember);
    Statement remove =
        db.prepare("DELETE FROM group_members WHERE group_id = ? AND account_id = ?");
    remove.bind(1, group.id).bind(2, account.id);
    if (!remove.run() || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

} // namespace platform::embedded

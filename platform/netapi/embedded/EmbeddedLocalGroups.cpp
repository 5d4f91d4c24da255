// Local groups (aliases): NetLocalGroupAdd, Del, GetInfo, SetInfo, Enum,
// GetMembers, AddMembers, DelMembers. Members are DOMAIN\name.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/GroupCalls.h"
#include "platform/netapi/embedded/Groups.h"
#include "platform/netapi/embedded/Members.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Paging.h"

namespace platform::embedded {

namespace {

using netapi::Situation;
using netapi::statusFor;

bool isMember(Database &db, int64_t aliasId, const MemberRef &ref)
{
    Statement query = db.prepare(
        "SELECT 1 FROM alias_members WHERE alias_id = ? "
        "AND (account_id = ? OR member_group_id = ?)");
    query.bind(1, aliasId).bind(2, ref.accountId).bind(3, ref.groupId);
    return query.step();
}

bool insertMember(Database &db, int64_t aliasId, const MemberRef &ref)
{
    Statement insert = db.prepare(
        "INSERT INTO alias_members (alias_id, account_id, member_group_id) VALUES (?, ?, ?)");
    insert.bind(1, aliasId);
    ref.accountId ? insert.bind(2, ref.accountId) : insert.bindNull(2);
    ref.groupId ? insert.bind(3, ref.groupId) : insert.bindNull(3);
    return insert.run();
}

bool deleteMember(Database &db, int64_t aliasId, const MemberRef &ref)
{
    Statement remove = db.prepare(
        "DELETE FROM alias_members WHERE alias_id = ? "
        "AND (account_id = ? OR member_group_id = ?)");
    remove.bind(1, aliasId).bind(2, ref.accountId).bind(3, ref.groupId);
    return remove.run();
}

// Adds (or removes) every member or none: the first failing member's status.
NetStatus changeMembers(Database &db, const MachineRow &machine, const GroupRow &alias,
                        const std::vector<LocalGroupMembersInfo3> &members, bool add)
{
    for (const LocalGroupMembersInfo3 &member : members) {
        MemberRef ref;
        if (const NetStatus status = resolveMember(db, machine, member.domainAndName, ref))
            return status;
        const bool present = isMember(db, alias.id, ref);
        if (add && present)
            return status::MemberInAlias;
        if (!add && !present)
            return status::MemberNotInAlias;
        if (!(add ? insertMember(db, alias.id, ref) : deleteMember(db, alias.id, ref)))
            return status::InternalError;
    }
    return status::Success;
}

// NetLocalGroupAddMembers and NetLocalGroupDelMembers: one transaction, so a
// failing member leaves the alias as it was.
NetStatus changeMembersNamed(Store &store, const std::string &server,
                             const std::string &groupName, uint32_t level,
                             const std::vector<LocalGroupMembersInfo3> &members, bool add)
{
    if (!levelOffered(level, {3}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(store, server, machine))
        return status;
    Database &db = store.db();
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow alias;
    if (!findGroup(db, machine.samId, groupName, true, alias))
        return statusFor(Situation::BadGroupLookedUp);
    if (const NetStatus status = changeMembers(db, machine, alias, members, add))
        return status;
    return transaction.commit() ? status::Success : status::InternalError;
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetLocalGroupAdd(const std::string &server, uint32_t level,
                                                      const LocalGroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    LocalGroupInfo1 record = info;
    if (level == 0)
        record.comment.clear();
    return addGroup(m_store.db(), machine.samId, record, true);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupDel(const std::string &server,
                                                      const std::string &groupName)
{
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    return deleteGroupNamed(m_store.db(), machine.samId, groupName, true);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupGetInfo(const std::string &server,
                                                          const std::string &groupName,
                                                          uint32_t level, LocalGroupInfo1 &info)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    return getGroupInfo(m_store.db(), machine.samId, groupName, true, level, info);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupSetInfo(const std::string &server,
                                                          const std::string &groupName,
                                                          uint32_t level,
                                                          const LocalGroupInfo1 &info, uint32_t *)
{
    if (!levelOffered(level, {0, 1}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveWritableMachine(m_store, server, machine))
        return status;
    return setGroupInfo(m_store.db(), machine.samId, groupName, true, level, info);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupEnum(const std::string &server, uint32_t level,
                                                       std::vector<LocalGroupInfo1> &buffer,
                                                       uint32_t prefMaxLen,
                                                       uint32_t &entriesRead,
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
    return enumGroups(m_store.db(), machine.samId, true, level, buffer, prefMaxLen, entriesRead,
                      totalEntries, resumeHandle);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupGetMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    std::vector<LocalGroupMembersInfo3> &buffer, uint32_t prefMaxLen, uint32_t &entriesRead,
    uint32_t &totalEntries, uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {3}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    GroupRow alias;
    if (!findGroup(db, machine.samId, groupName, true, alias))
        return statusFor(Situation::BadGroupLookedUp);
    return pageQuery<LocalGroupMembersInfo3>(
        db, "SELECT COUNT(*) FROM alias_members WHERE alias_id = ? AND id > ?",
        "SELECT m.id, s.name || '\\' || COALESCE(a.name, g.name) FROM alias_members m "
        "LEFT JOIN accounts a ON a.id = m.account_id "
        "LEFT JOIN groups g ON g.id = m.member_group_id "
        "JOIN sams s ON s.id = COALESCE(a.sam_id, g.sam_id) "
        "WHERE m.alias_id = ? AND m.id > ? ORDER BY m.id LIMIT ?",
        [&](Statement &s) { s.bind(1, alias.id); }, 1,
        [](const Statement &row) { return LocalGroupMembersInfo3{row.text(1)}; },
        [](const LocalGroupMembersInfo3 &info) {
            return netapi::nameRecordBytes(info.domainAndName);
        },
        prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupAddMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    const std::vector<LocalGroupMembersInfo3> &members)
{
    return changeMembersNamed(m_store, server, groupName, level, members, true);
}

NetStatus EmbeddedNetworkManagement::NetLocalGroupDelMembers(
    const std::string &server, const std::string &groupName, uint32_t level,
    const std::vector<LocalGroupMembersInfo3> &members)
{
    return changeMembersNamed(m_store, server, groupName, level, members, false);
}

} // namespace platform::embedded

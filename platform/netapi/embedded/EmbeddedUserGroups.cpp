// A user's groups: NetUserGetGroups (global) and NetUserGetLocalGroups. One
// call each, no resume: what does not fit is left out with MoreData.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Members.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Paging.h"

namespace platform::embedded {

namespace {

using netapi::Situation;
using netapi::statusFor;

NetStatus fillNames(Statement &query, uint32_t prefMaxLen, std::vector<GroupUsersInfo0> &buffer,
                    uint32_t &entriesRead, uint32_t &totalEntries)
{
    std::vector<PagedRow<GroupUsersInfo0>> rows;
    while (query.step())
        rows.push_back({query.integer(0), GroupUsersInfo0{query.text(1)}});
    if (query.failed())
        return status::InternalError;
    uint32_t unusedHandle = 0;
    return fillPage<GroupUsersInfo0>(
        rows, uint32_t(rows.size()),
        [](const GroupUsersInfo0 &info) { return netapi::nameRecordBytes(info.name); },
        prefMaxLen, buffer, entriesRead, totalEntries, unusedHandle);
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetUserGetGroups(const std::string &server,
                                                      const std::string &userName,
                                                      uint32_t level,
                                                      std::vector<GroupUsersInfo0> &buffer,
                                                      uint32_t prefMaxLen, uint32_t &entriesRead,
                                                      uint32_t &totalEntries)
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
    AccountRow account;
    if (!findAccount(db, machine.samId, userName, account))
        return statusFor(Situation::BadUserLookedUp);
    Statement query = db.prepare(
        "SELECT g.id, g.name FROM group_members m JOIN groups g ON g.id = m.group_id "
        "WHERE m.account_id = ? ORDER BY g.id");
    query.bind(1, account.id);
    return fillNames(query, prefMaxLen, buffer, entriesRead, totalEntries);
}

NetStatus EmbeddedNetworkManagement::NetUserGetLocalGroups(
    const std::string &server, const std::string &userName, uint32_t level, uint32_t flags,
    std::vector<LocalGroupUsersInfo0> &buffer, uint32_t prefMaxLen, uint32_t &entriesRead,
    uint32_t &totalEntries)
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
    MemberRef user;
    if (resolveMember(db, machine, userName, user) != status::Success || !user.accountId)
        return statusFor(Situation::BadUserLookedUp);
    Statement query = db.prepare(
        "SELECT DISTINCT g.id, g.name FROM groups g JOIN alias_members m ON m.alias_id = g.id "
        "WHERE g.sam_id = ? AND g.local = 1 AND (m.account_id = ? OR (? AND m.member_group_id "
        "IN (SELECT group_id FROM group_members WHERE account_id = ?))) ORDER BY g.id");
    query.bind(1, machine.samId).bind(2, user.accountId);
    query.bind(3, int64_t((flags & LgIncludeIndirect) != 0)).bind(4, user.accountId);
    return fillNames(query, prefMaxLen, buffer, entriesRead, totalEntries);
}

} // namespace platform::embedded

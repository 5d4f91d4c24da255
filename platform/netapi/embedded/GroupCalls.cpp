#include "platform/netapi/embedded/GroupCalls.h"

#include "platform/netapi/NameRules.h"
#include "platform/netapi/embedded/Groups.h"
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

} // namespace

NetStatus deleteGroupNamed(Database &db, int64_t samId, const std::string &name, bool local)
{
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    if (!findGroup(db, samId, name, local, group))
        return statusFor(Situation::BadGroupLookedUp);
    if (group.builtin)
        return statusFor(Situation::BuiltInGroup);
    // Only global groups can be a user's primary group.
    if (!local && isPrimaryGroupOfAnyone(db, group))
        return statusFor(Situation::PrimaryGroupMember);
    if (!deleteGroup(db, group) || !transaction.commit())
        return status::InternalError;
    return status::Success;
}

NetStatus getGroupInfo(Database &db, int64_t samId, const std::string &name, bool local,
                       uint32_t level, GroupInfo1 &info)
{
    GroupRow group;
    if (!findGroup(db, samId, name, local, group))
        return statusFor(Situation::BadGroupLookedUp);
    info = {group.name, level == 1 ? group.comment : std::string()};
    return status::Success;
}

NetStatus setGroupInfo(Database &db, int64_t samId, const std::string &name, bool local,
                       uint32_t level, const GroupInfo1 &info)
{
    Transaction transaction(db, Transaction::Mode::Write);
    if (!transaction.began())
        return status::InternalError;
    GroupRow group;
    if (!findGroup(db, samId, name, local, group))
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

NetStatus enumGroups(Database &db, int64_t samId, bool local, uint32_t level,
                     std::vector<GroupInfo1> &buffer, uint32_t prefMaxLen,
                     uint32_t &entriesRead, uint32_t &totalEntries, uint32_t &resumeHandle)
{
    Transaction transaction(db, Transaction::Mode::Read);
    return pageQuery<GroupInfo1>(
        db, "SELECT COUNT(*) FROM groups WHERE sam_id = ? AND local = ? AND id > ?",
        "SELECT id, name, comment FROM groups WHERE sam_id = ? AND local = ? AND id > ? "
        "ORDER BY id LIMIT ?",
        [&](Statement &s) { s.bind(1, samId).bind(2, int64_t(local)); }, 2,
        [level](const Statement &row) {
            return GroupInfo1{row.text(1), level == 1 ? row.text(2) : std::string()};
        },
        [level](const GroupInfo1 &info) { return netapi::groupInfoBytes(info, level); },
        prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

} // namespace platform::embedded

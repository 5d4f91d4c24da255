// A machine's shares: NetShareEnum and NetShareGetInfo. A machine can be set
// (through the fixture) to refuse level 2, as one does to a caller without
// administrative rights there.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/BufferRules.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Paging.h"

namespace platform::embedded {

namespace {

constexpr const char *ShareColumns =
    "id, netname, type, remark, permissions, max_uses, current_uses, path";

ShareInfo2 readShare(const Statement &row, uint32_t level)
{
    ShareInfo2 share;
    share.netname = row.text(1);
    if (level == 0)
        return share;
    share.type = uint32_t(row.integer(2));
    share.remark = row.text(3);
    if (level == 1)
        return share;
    share.permissions = uint32_t(row.integer(4));
    share.maxUses = uint32_t(row.integer(5));
    share.currentUses = uint32_t(row.integer(6));
    share.path = row.text(7);
    return share;
}

NetStatus checkLevel(const MachineRow &machine, uint32_t level)
{
    if (!levelOffered(level, {0, 1, 2}))
        return unknownLevel();
    return level == 2 && machine.shareLevel2Denied ? status::AccessDenied : status::Success;
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetShareEnum(const std::string &server, uint32_t level,
                                                  std::vector<ShareInfo2> &buffer,
                                                  uint32_t prefMaxLen, uint32_t &entriesRead,
                                                  uint32_t &totalEntries,
                                                  uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0, 1, 2}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkLevel(machine, level))
        return status;
    const std::string rows = std::string("SELECT ") + ShareColumns
        + " FROM shares WHERE machine_id = ? AND id > ? ORDER BY id LIMIT ?";
    Transaction transaction(m_store.db(), Transaction::Mode::Read);
    return pageQuery<ShareInfo2>(
        m_store.db(), "SELECT COUNT(*) FROM shares WHERE machine_id = ? AND id > ?",
        rows.c_str(), [&](Statement &s) { s.bind(1, machine.id); }, 1,
        [level](const Statement &row) { return readShare(row, level); },
        [level](const ShareInfo2 &share) { return netapi::shareInfoBytes(share, level); },
        prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus EmbeddedNetworkManagement::NetShareGetInfo(const std::string &server,
                                                     const std::string &netName, uint32_t level,
                                                     ShareInfo2 &info)
{
    if (!levelOffered(level, {0, 1, 2}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    if (const NetStatus status = checkLevel(machine, level))
        return status;
    const std::string sql = std::string("SELECT ") + ShareColumns
        + " FROM shares WHERE machine_id = ? AND upper_name = ?";
    Statement query = m_store.db().prepare(sql.c_str());
    query.bind(1, machine.id).bind(2, upperName(netName));
    if (!query.step())
        return status::NetNameNotFound;
    info = readShare(query, level);
    return status::Success;
}

} // namespace platform::embedded

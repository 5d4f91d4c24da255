// Machines: NetServerEnum (the browse list of a domain, or the list of
// domains) and NetServerGetInfo (answered by the machine itself).
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/BufferRules.h"
#include "platform/netapi/embedded/CallRules.h"
#include "platform/netapi/embedded/Model.h"

namespace platform::embedded {

namespace {

ServerInfo101 serverInfo(const MachineRow &machine, uint32_t level)
{
    ServerInfo101 info;
    info.platformId = PlatformIdNt;
    info.name = machine.name;
    if (level == 101) {
        info.versionMajor = machine.versionMajor;
        info.versionMinor = machine.versionMinor;
        info.type = machine.type;
        info.comment = machine.comment;
    }
    return info;
}

// Every domain of the network, named by its primary controller.
std::vector<ServerInfo101> domainList(Database &db, uint32_t level)
{
    std::vector<ServerInfo101> list;
    Statement query = db.prepare(
        "SELECT d.name, m.name, m.version_major, m.version_minor FROM domains d "
        "LEFT JOIN machines m ON m.domain_id = d.id AND m.role = 1 ORDER BY d.upper_name");
    while (query.step()) {
        ServerInfo101 info;
        info.name = query.text(0);
        if (level == 101) {
            info.versionMajor = uint32_t(query.integer(2));
            info.versionMinor = uint32_t(query.integer(3));
            info.type = svtype::DomainEnum | svtype::Nt;
            info.comment = query.text(1);
        }
        list.push_back(info);
    }
    return list;
}

std::vector<ServerInfo101> machineList(Database &db, int64_t domainId, uint32_t serverType,
                                       uint32_t level)
{
    std::vector<ServerInfo101> list;
    Statement query = db.prepare(
        "SELECT name FROM machines WHERE domain_id = ? AND (type & ?) != 0 AND reachable = 1 "
        "ORDER BY upper_name");
    query.bind(1, domainId).bind(2, int64_t(serverType));
    while (query.step()) {
        MachineRow machine;
        if (findMachine(db, query.text(0), machine))
            list.push_back(serverInfo(machine, level));
    }
    return list;
}

// The domain a NetServerEnum names: empty is the local machine's.
bool enumDomain(Database &db, const std::string &name, DomainRow &domain)
{
    if (!name.empty())
        return findDomain(db, name, domain);
    MachineRow local;
    return localMachine(db, local) && loadDomain(db, local.domainId, domain);
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetServerEnum(const std::string &server, uint32_t level,
                                                   std::vector<ServerInfo101> &buffer,
                                                   uint32_t prefMaxLen, uint32_t &entriesRead,
                                                   uint32_t &totalEntries, uint32_t serverType,
                                                   const std::string &domain,
                                                   uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {100, 101}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    std::vector<ServerInfo101> all;
    if (serverType != svtype::All && (serverType & svtype::DomainEnum)) {
        all = domainList(db, level);
    } else {
        DomainRow target;
        if (!enumDomain(db, domain, target))
            return status::NoBrowserServersFound;
        all = machineList(db, target.id, serverType, level);
    }
    netapi::PageBudget budget(prefMaxLen);
    for (size_t i = resumeHandle; i < all.size(); ++i) {
        if (!budget.admit(netapi::serverInfoBytes(all[i], level)))
            break;
        buffer.push_back(all[i]);
    }
    entriesRead = uint32_t(buffer.size());
    totalEntries = uint32_t(all.size() > resumeHandle ? all.size() - resumeHandle : 0);
    resumeHandle += entriesRead;
    return entriesRead < totalEntries ? status::MoreData : status::Success;
}

NetStatus EmbeddedNetworkManagement::NetServerGetInfo(const std::string &server, uint32_t level,
                                                      ServerInfo101 &info)
{
    if (!levelOffered(level, {100, 101}))
        return unknownLevel();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    info = serverInfo(machine, level);
    return status::Success;
}

} // namespace platform::embedded

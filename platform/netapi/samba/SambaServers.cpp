// A machine's own information and shares: NetServerGetInfo, NetShareEnum,
// NetShareGetInfo, answered by the machine's srvsvc through libnetapi. An
// empty server is this host's own SMB server; where none answers, status 53.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/NetApiLibrary.h"
#include "platform/netapi/samba/Paging.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/ServerServices.h"

namespace platform::samba {

namespace {

// libnetapi answers a missing share with ERROR_INVALID_NAME, netapi32 with
// NERR_NetNameNotFound.
NetStatus shareStatus(NetStatus st)
{
    return st == status::InvalidName || st == 2 ? status::NetNameNotFound : st;
}

// The controller bits a Samba AD DC leaves out of its server type: its SAM
// says whether it is the primary or a backup ([MS-SAMR] 2.2.4.16
// DOMAIN_SERVER_ROLE_INFORMATION).
uint32_t controllerBits(SamrSession &session)
{
    Frame frame;
    samr_DomainInfo *info = nullptr;
    samr_QueryDomainInfo query{};
    query.in.domain_handle = session.domain(Domain::Account);
    query.in.level = DomainServerRoleInformation;
    query.out.info = &info;
    if (session.samr(NDR_SAMR_QUERYDOMAININFO, query, frame) != nt::Ok || !info)
        return 0;
    switch (info->info7.role) {
    case SAMR_ROLE_DOMAIN_PDC:
        return svtype::DomainCtrl;
    case SAMR_ROLE_DOMAIN_BDC:
        return svtype::DomainBakCtrl;
    default:
        return 0;
    }
}

} // namespace

NetStatus SambaNetworkManagement::NetServerGetInfo(const std::string &server, uint32_t level,
                                                   ServerInfo101 &info)
{
    if (!levelOffered(level, {100, 101}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    ServerInfo101 read;
    if (const NetStatus st = m_connections->run(server, [&](SamrSession &session) {
            return services::serverInfo(session, read);
        }))
        return st;
    info = ServerInfo101();
    info.platformId = read.platformId;
    info.name = read.name;
    if (level == 101) {
        info.versionMajor = read.versionMajor;
        info.versionMinor = read.versionMinor;
        info.type = read.type;
        info.comment = read.comment;
        if (!(info.type & (svtype::DomainCtrl | svtype::DomainBakCtrl))) {
            m_connections->run(server, [&](SamrSession &session) {
                info.type |= controllerBits(session);
                return status::Success;
            });
        }
    }
    return status::Success;
}

NetStatus SambaNetworkManagement::NetShareEnum(const std::string &server, uint32_t level,
                                               std::vector<ShareInfo2> &buffer,
                                               uint32_t prefMaxLen, uint32_t &entriesRead,
                                               uint32_t &totalEntries, uint32_t &resumeHandle)
{
    buffer.clear();
    entriesRead = totalEntries = 0;
    if (!levelOffered(level, {0, 1, 2}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    std::vector<ShareInfo2> shares;
    if (const NetStatus st = m_connections->run(server, [&](SamrSession &session) {
            return services::shareEnum(session, level, shares);
        }))
        return st;
    KeyedRows<ShareInfo2> rows;
    for (size_t i = 0; i < shares.size(); ++i)
        rows.emplace_back(uint32_t(i + 1), shares[i]);
    auto bytes = [level](const ShareInfo2 &s) { return netapi::shareInfoBytes(s, level); };
    return pageRows(rows, bytes, prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

NetStatus SambaNetworkManagement::NetShareGetInfo(const std::string &server,
                                                  const std::string &netName, uint32_t level,
                                                  ShareInfo2 &info)
{
    if (!levelOffered(level, {0, 1, 2}))
        return unknownLevel();
    if (const NetStatus st = ready())
        return st;
    return shareStatus(m_connections->run(server, [&](SamrSession &session) {
        return services::shareInfo(session, netName, level, info);
    }));
}

NetStatus SambaNetworkManagement::openSession(const std::string &computer)
{
    if (const NetStatus st = ready())
        return st;
    return m_connections->run(computer, [](SamrSession &) { return status::Success; });
}

void SambaNetworkManagement::closeSession(const std::string &computer)
{
    m_connections->drop(computer);
}

} // namespace platform::samba

#include "platform/netapi/samba/ServerServices.h"

#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/ServiceWire.h"

#include <core/werror.h>
#include <gen_ndr/netlogon.h>

namespace platform::samba::services {

namespace {

constexpr uint32_t DsPdcRequired = 0x00000080;
constexpr uint32_t DsReturnFlatName = 0x80000000;
constexpr uint32_t MaxPreferred = 0xFFFFFFFF;

std::string text(const char *value)
{
    return value ? std::string(value) : std::string();
}

std::string withoutSlashes(std::string name)
{
    while (!name.empty() && name.front() == '\\')
        name.erase(0, 1);
    return name;
}

std::string unc(const SamrSession &session)
{
    return "\\\\" + session.server();
}

NetStatus transport(uint32_t ntStatus)
{
    return toNetStatus(ntStatus, Context::Other);
}

template <typename Info>
ShareInfo2 toShare(const Info &record);

template <>
ShareInfo2 toShare(const wire::ShareInfo0 &record)
{
    ShareInfo2 share;
    share.netname = text(record.name);
    return share;
}

template <>
ShareInfo2 toShare(const wire::ShareInfo1 &record)
{
    ShareInfo2 share;
    share.netname = text(record.name);
    share.type = record.type;
    share.remark = text(record.comment);
    return share;
}

template <>
ShareInfo2 toShare(const wire::ShareInfo2 &record)
{
    ShareInfo2 share;
    share.netname = text(record.name);
    share.type = record.type;
    share.remark = text(record.comment);
    share.permissions = record.permissions;
    share.maxUses = record.maxUsers;
    share.currentUses = record.currentUsers;
    share.path = text(record.path);
    share.passwd = text(record.password);
    return share;
}

template <typename Info>
NetStatus enumerateShares(SamrSession &session, uint32_t level, std::vector<ShareInfo2> &out)
{
    Frame frame;
    wire::ShareCtr<Info> ctr{};
    wire::ShareInfoCtr infoCtr{level, &ctr};
    uint32_t total = 0, resume = 0;
    const std::string server = unc(session);
    wire::NetShareEnumAll r{};
    r.in.serverUnc = server.c_str();
    r.in.maxBuffer = MaxPreferred;
    r.in.infoCtr = &infoCtr;
    r.in.resumeHandle = &resume;
    r.out.totalEntries = &total;
    r.out.infoCtr = &infoCtr;
    r.out.resumeHandle = &resume;
    if (const uint32_t st = session.call(VS_SRVSVC, "srvsvc_NetShareEnumAll", r, frame))
        return transport(st);
    if (r.out.result != 0 && r.out.result != status::MoreData)
        return NetStatus(r.out.result);
    const auto *found = static_cast<const wire::ShareCtr<Info> *>(infoCtr.ctr);
    for (uint32_t i = 0; found && found->array && i < found->count; ++i)
        out.push_back(toShare(found->array[i]));
    return status::Success;
}

} // namespace

NetStatus getDcName(SamrSession &session, const std::string &domain, std::string &dcName)
{
    Frame frame;
    const std::string server = unc(session);
    const char *found = nullptr;
    netr_GetDcName r{};
    r.in.logon_server = server.c_str();
    r.in.domainname = domain.empty() ? nullptr : domain.c_str();
    r.out.dcname = &found;
    if (const uint32_t st = session.call(VS_NETLOGON, "netr_GetDcName", r, frame))
        return transport(st);
    if (const uint32_t result = W_ERROR_V(r.out.result))
        return NetStatus(result);
    dcName = text(found);
    return status::Success;
}

NetStatus primaryDcName(SamrSession &session, const std::string &domain, std::string &dcName)
{
    Frame frame;
    const std::string server = unc(session);
    netr_DsRGetDCNameInfo *info = nullptr;
    netr_DsRGetDCName r{};
    r.in.server_unc = server.c_str();
    r.in.domain_name = domain.c_str();
    r.in.flags = DsPdcRequired | DsReturnFlatName;
    r.out.info = &info;
    if (const uint32_t st = session.call(VS_NETLOGON, "netr_DsRGetDCName", r, frame))
        return transport(st);
    if (const uint32_t result = W_ERROR_V(r.out.result))
        return NetStatus(result);
    dcName = info ? text(info->dc_unc) : std::string();
    return status::Success;
}

NetStatus serverInfo(SamrSession &session, ServerInfo101 &info)
{
    Frame frame;
    const std::string server = unc(session);
    wire::ServerInfo101 *found = nullptr;
    wire::NetSrvGetInfo r{};
    r.in.serverUnc = server.c_str();
    r.in.level = 101;
    r.out.info = &found;
    if (const uint32_t st = session.call(VS_SRVSVC, "srvsvc_NetSrvGetInfo", r, frame))
        return transport(st);
    if (r.out.result != 0)
        return NetStatus(r.out.result);
    if (!found)
        return status::InvalidParameter;
    info.platformId = found->platformId;
    info.name = withoutSlashes(text(found->name));
    info.versionMajor = found->versionMajor;
    info.versionMinor = found->versionMinor;
    info.type = found->type;
    info.comment = text(found->comment);
    return status::Success;
}

NetStatus shareEnum(SamrSession &session, uint32_t level, std::vector<ShareInfo2> &shares)
{
    shares.clear();
    if (level == 0)
        return enumerateShares<wire::ShareInfo0>(session, level, shares);
    if (level == 1)
        return enumerateShares<wire::ShareInfo1>(session, level, shares);
    return enumerateShares<wire::ShareInfo2>(session, level, shares);
}

NetStatus shareInfo(SamrSession &session, const std::string &share, uint32_t level,
                    ShareInfo2 &info)
{
    Frame frame;
    const std::string server = unc(session);
    void *found = nullptr;
    wire::NetShareGetInfo r{};
    r.in.serverUnc = server.c_str();
    r.in.shareName = share.c_str();
    r.in.level = level;
    r.out.info = &found;
    if (const uint32_t st = session.call(VS_SRVSVC, "srvsvc_NetShareGetInfo", r, frame))
        return transport(st);
    if (r.out.result != 0)
        return NetStatus(r.out.result);
    if (!found)
        return status::InvalidParameter;
    if (level == 0)
        info = toShare(*static_cast<wire::ShareInfo0 *>(found));
    else if (level == 1)
        info = toShare(*static_cast<wire::ShareInfo1 *>(found));
    else
        info = toShare(*static_cast<wire::ShareInfo2 *>(found));
    return status::Success;
}

NetStatus workstationInfo(SamrSession &session, WkstaInfo102 &info)
{
    Frame frame;
    const std::string server = unc(session);
    wire::WkstaInfo100 *found = nullptr;
    wire::NetWkstaGetInfo r{};
    r.in.serverName = server.c_str();
    r.in.level = 100;
    r.out.info = &found;
    if (const uint32_t st = session.call(VS_WKSSVC, "wkssvc_NetWkstaGetInfo", r, frame))
        return transport(st);
    if (r.out.result != 0)
        return NetStatus(r.out.result);
    if (!found)
        return status::InvalidParameter;
    info.platformId = int32_t(found->platformId);
    info.computerName = text(found->serverName);
    info.langroup = text(found->domainName);
    info.versionMajor = int32_t(found->versionMajor);
    info.versionMinor = int32_t(found->versionMinor);
    return status::Success;
}

} // namespace platform::samba::services

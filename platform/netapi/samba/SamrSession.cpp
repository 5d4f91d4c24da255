#include "platform/netapi/samba/SamrSession.h"

#include "platform/netapi/samba/NtStatus.h"

#include <cstring>

namespace platform::samba {

namespace {

constexpr uint32_t MaximumAllowed = 0x02000000; // SEC_FLAG_MAXIMUM_ALLOWED
constexpr uint32_t IoTimeout = 0xC00000B5;      // NT_STATUS_IO_TIMEOUT

} // namespace

bool changesServer(uint32_t samrOpnum)
{
    switch (samrOpnum) {
    case NDR_SAMR_SETSECURITY:
    case NDR_SAMR_SETDOMAININFO:
    case NDR_SAMR_CREATEDOMAINGROUP:
    case NDR_SAMR_CREATEUSER:
    case NDR_SAMR_CREATEDOMALIAS:
    case NDR_SAMR_SETGROUPINFO:
    case NDR_SAMR_ADDGROUPMEMBER:
    case NDR_SAMR_DELETEDOMAINGROUP:
    case NDR_SAMR_DELETEGROUPMEMBER:
    case NDR_SAMR_SETMEMBERATTRIBUTESOFGROUP:
    case NDR_SAMR_SETALIASINFO:
    case NDR_SAMR_DELETEDOMALIAS:
    case NDR_SAMR_ADDALIASMEMBER:
    case NDR_SAMR_DELETEALIASMEMBER:
    case NDR_SAMR_DELETEUSER:
    case NDR_SAMR_SETUSERINFO:
    case NDR_SAMR_CHANGEPASSWORDUSER:
    case NDR_SAMR_REMOVEMEMBERFROMFOREIGNDOMAIN:
    case NDR_SAMR_CREATEUSER2:
    case NDR_SAMR_ADDMULTIPLEMEMBERSTOALIAS:
    case NDR_SAMR_REMOVEMULTIPLEMEMBERSFROMALIAS:
    case NDR_SAMR_OEMCHANGEPASSWORDUSER2:
    case NDR_SAMR_CHANGEPASSWORDUSER2:
    case NDR_SAMR_SETUSERINFO2:
    case NDR_SAMR_CHANGEPASSWORDUSER3:
        return true;
    default:
        return false;
    }
}

SamrSession::SamrSession(vs_rpc *rpc, const std::string &server)
    : m_rpc(rpc), m_server(server)
{
}

SamrSession::~SamrSession()
{
    vs_rpc_close(m_rpc);
}

uint32_t SamrSession::lost(uint32_t transport)
{
    // A timed-out call is not a lost connection: it is neither made again nor
    // read back, since the server that did not answer it would not answer that.
    if (transport == IoTimeout)
        m_timedOut = true;
    else if (isConnectionLost(transport))
        m_broken = true;
    return transport;
}

uint32_t SamrSession::open()
{
    Frame frame;
    samr_Connect2 connect{};
    const std::string system = "\\\\" + m_server;
    connect.in.system_name = system.c_str();
    connect.in.access_mask = MaximumAllowed;
    connect.out.connect_handle = &m_connect;
    if (const uint32_t st = samr(NDR_SAMR_CONNECT2, connect, frame))
        return st;
    // The account domain is the one that is not BUILTIN.
    uint32_t resume = 0, count = 0;
    samr_SamArray *domains = nullptr;
    samr_EnumDomains enumerate{};
    enumerate.in.connect_handle = &m_connect;
    enumerate.in.buf_size = 0xFFFF;
    enumerate.in.resume_handle = &resume;
    enumerate.out.resume_handle = &resume;
    enumerate.out.num_entries = &count;
    enumerate.out.sam = &domains;
    if (const uint32_t st = samr(NDR_SAMR_ENUMDOMAINS, enumerate, frame))
        return st;
    for (uint32_t i = 0; domains && i < domains->count; ++i) {
        const char *name = domains->entries[i].name.string;
        if (name && strcasecmp(name, "Builtin") != 0)
            m_domainName = name;
    }
    if (m_domainName.empty())
        return nt::NoSuchDomain;
    if (const uint32_t st = openDomain(m_domainName.c_str(), m_account, m_accountSid))
        return st;
    return openDomain("Builtin", m_builtin, m_builtinSid);
}

uint32_t SamrSession::openDomain(const char *name, policy_handle &handle, dom_sid &sid)
{
    Frame frame;
    lsa_String domainName{};
    domainName.string = name;
    dom_sid2 *found = nullptr;
    samr_LookupDomain lookup{};
    lookup.in.connect_handle = &m_connect;
    lookup.in.domain_name = &domainName;
    lookup.out.sid = &found;
    if (const uint32_t st = samr(NDR_SAMR_LOOKUPDOMAIN, lookup, frame))
        return st;
    sid = *found;
    samr_OpenDomain open{};
    open.in.connect_handle = &m_connect;
    open.in.access_mask = MaximumAllowed;
    open.in.sid = &sid;
    open.out.domain_handle = &handle;
    return samr(NDR_SAMR_OPENDOMAIN, open, frame);
}

policy_handle *SamrSession::domain(Domain which)
{
    return which == Domain::Account ? &m_account : &m_builtin;
}

const dom_sid &SamrSession::domainSid(Domain which) const
{
    return which == Domain::Account ? m_accountSid : m_builtinSid;
}

policy_handle *SamrSession::lsaPolicy(uint32_t &ntStatus)
{
    ntStatus = 0;
    if (m_lsaOpen)
        return &m_lsa;
    Frame frame;
    lsa_QosInfo qos{};
    qos.len = sizeof qos;
    qos.impersonation_level = 2;
    qos.context_mode = 1;
    lsa_ObjectAttribute attributes{};
    attributes.len = sizeof attributes;
    attributes.sec_qos = &qos;
    lsa_OpenPolicy2 open{};
    const std::string system = "\\\\" + m_server;
    open.in.system_name = system.c_str();
    open.in.attr = &attributes;
    open.in.access_mask = MaximumAllowed;
    open.out.handle = &m_lsa;
    ntStatus = lsa("lsa_OpenPolicy2", open, frame);
    m_lsaOpen = ntStatus == 0;
    return m_lsaOpen ? &m_lsa : nullptr;
}

void SamrSession::closeHandle(policy_handle &handle)
{
    if (m_broken || m_timedOut)
        return;
    Frame frame;
    samr_Close close{};
    close.in.handle = &handle;
    close.out.handle = &handle;
    samr(NDR_SAMR_CLOSE, close, frame);
}

} // namespace platform::samba

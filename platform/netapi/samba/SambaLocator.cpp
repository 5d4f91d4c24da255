// Finding domain controllers and the domains around them: NetGetDCName,
// NetEnumerateTrustedDomains and NetServerEnum, on a host that knows its
// domain only through its client smb.conf (workgroup, realm) and ordinary name
// resolution (a hosts file, or the DC's DNS).
//
// NetGetDCName with an empty server (this host) tries, in this order:
//   1. this host's own SMB server, when one answers (a DC or a joined member);
//   2. DsGetDcName from this host for the domain's primary controller, by the
//      realm of smb.conf when the domain is its workgroup (DNS SRV records,
//      then a CLDAP ping), its flat name being NetGetDCName's answer;
//   3. for this host's own domain without DNS: NetGetDCName at the machines
//      smb.conf's "password server" names, then at the realm's own host name
//      (which a hosts file may map to a controller);
//   4. for any other domain: NetGetDCName, then DsRGetDCName, at this host's
//      domain's controller, which knows the controllers of the domains it
//      trusts (Samba AD answers only the latter for a trusted domain).
// What is found is remembered for the life of the process.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/BufferRules.h"
#include "platform/netapi/samba/CallChecks.h"
#include "platform/netapi/samba/LsaNames.h"
#include "platform/netapi/samba/NetApiLibrary.h"
#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/Paging.h"
#include "platform/netapi/samba/Reachability.h"
#include "platform/netapi/samba/ServerServices.h"

#include <QString>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace platform::samba {

namespace {

constexpr int LocalProbeMs = 1000;
constexpr uint32_t AcbServerTrust = 0x100;
constexpr uint32_t AcbWorkstationTrust = 0x80;
constexpr uint32_t ServerTypeMask = svtype::Workstation | svtype::Server | svtype::ServerNt
    | svtype::Nt;

std::string upper(const std::string &text)
{
    return QString::fromStdString(text).toUpper().toStdString();
}

NetStatus dcStatus(NetStatus st)
{
    // libnetapi answers an unknown domain with ERROR_NO_SUCH_DOMAIN or a failed
    // look-up; netapi32 with NERR_DCNotFound.
    if (st == status::NoSuchDomain || st == 1908 || st == 31 || st == status::InvalidParameter)
        return status::DCNotFound;
    return st;
}

// NetrGetDCName at a machine, on the back end's session to it.
NetStatus askAt(Connections &connections, const std::string &server, const std::string &domain,
                std::string &dcName)
{
    return dcStatus(connections.run(server, [&](SamrSession &session) {
        return services::getDcName(session, domain, dcName);
    }));
}

std::vector<std::string> passwordServers(const ClientConfig &config)
{
    std::vector<std::string> names;
    const QStringList listed = QString::fromStdString(config.passwordServer)
                                   .split(QRegularExpression(QStringLiteral("[,\\s]+")),
                                          Qt::SkipEmptyParts);
    for (const QString &name : listed) {
        if (name != u"*")
            names.push_back(name.toStdString());
    }
    if (!config.realm.empty())
        names.push_back(QString::fromStdString(config.realm).toLower().toStdString());
    return names;
}

// Machine accounts of a domain by their type of trust ([MS-SAMR] 3.1.5.2.5:
// EnumerateUsersInDomain filters by account control bits).
uint32_t machineAccounts(SamrSession &session, uint32_t acb, std::vector<std::string> &names)
{
    uint32_t resume = 0;
    for (;;) {
        Frame frame;
        samr_SamArray *found = nullptr;
        uint32_t count = 0;
        samr_EnumDomainUsers enumerate{};
        enumerate.in.domain_handle = session.domain(Domain::Account);
        enumerate.in.acct_flags = acb;
        enumerate.in.max_size = 0xFFFF;
        enumerate.in.resume_handle = &resume;
        enumerate.out.resume_handle = &resume;
        enumerate.out.num_entries = &count;
        enumerate.out.sam = &found;
        const uint32_t st = session.samr(NDR_SAMR_ENUMDOMAINUSERS, enumerate, frame);
        if (st != nt::Ok && st != nt::MoreEntries)
            return st;
        for (uint32_t i = 0; found && i < found->count; ++i) {
            std::string name = lsaText(found->entries[i].name);
            if (!name.empty() && name.back() == '$')
                name.pop_back();
            names.push_back(name);
        }
        if (st == nt::Ok || !found || found->count == 0)
            return nt::Ok;
    }
}

ServerInfo101 serverEntry(const std::string &name, uint32_t type)
{
    ServerInfo101 entry;
    entry.name = name;
    entry.type = type;
    return entry;
}

} // namespace

NetStatus SambaNetworkManagement::localDC(const std::string &domain, std::string &dcName)
{
    const ClientConfig &config = m_settings.config;
    const bool own = upper(domain) == config.workgroup || upper(domain) == config.realm;
    // 1. This host's own SMB server.
    if (smbAnswers("localhost", LocalProbeMs)
        && askAt(*m_connections, "localhost", domain, dcName) == status::Success)
        return status::Success;
    // 2. DNS and CLDAP.
    const std::string dnsName = own && !config.realm.empty() ? config.realm : domain;
    std::string found, flat;
    if (libnetapi::locatePrimary(dnsName, found, flat) == status::Success) {
        // DsGetDcName was asked for the primary by its flat name: that is
        // NetGetDCName's answer already.
        dcName = found;
        return status::Success;
    }
    // 3. The machines this host's configuration names.
    if (own) {
        for (const std::string &candidate : passwordServers(config)) {
            if (askAt(*m_connections, candidate, config.workgroup, dcName) == status::Success)
                return status::Success;
        }
        return status::DCNotFound;
    }
    // 4. The controller of this host's domain.
    std::string ours;
    if (workstationDC(ours) != status::Success)
        return status::DCNotFound;
    if (askAt(*m_connections, ours, domain, dcName) == status::Success)
        return status::Success;
    // An AD controller answers NetrGetDCName only for its own domain; the
    // domains it trusts it finds through DsRGetDCName.
    const NetStatus st = m_connections->run(ours, [&](SamrSession &session) {
        return services::primaryDcName(session, domain, dcName);
    });
    return st == status::Success ? status::Success : status::DCNotFound;
}

NetStatus SambaNetworkManagement::workstationDC(std::string &dcName)
{
    return findDC(std::string(), m_settings.config.workgroup, dcName);
}

NetStatus SambaNetworkManagement::findDC(const std::string &server, const std::string &domain,
                                         std::string &dcName)
{
    if (!server.empty())
        return askAt(*m_connections, server, domain, dcName);
    const std::string key = upper(domain.empty() ? m_settings.config.workgroup : domain);
    const auto known = m_dcNames.find(key);
    if (known != m_dcNames.end()) {
        dcName = known->second;
        return status::Success;
    }
    const NetStatus st = localDC(key, dcName);
    if (st == status::Success)
        m_dcNames[key] = dcName;
    return st;
}

NetStatus SambaNetworkManagement::NetGetDCName(const std::string &server,
                                               const std::string &domain, std::string &dcName)
{
    dcName.clear();
    if (const NetStatus st = ready())
        return st;
    return findDC(server, domain, dcName);
}

NetStatus SambaNetworkManagement::NetEnumerateTrustedDomains(const std::string &server,
                                                             std::string &domainNames)
{
    domainNames.clear();
    if (const NetStatus st = ready())
        return st;
    std::string dc = server;
    if (dc.empty()) {
        if (const NetStatus st = workstationDC(dc))
            return st;
    }
    std::vector<std::string> names;
    const NetStatus st = m_connections->run(dc, [&](SamrSession &session) {
        return toNetStatus(trustedDomains(session, names), Context::Other);
    });
    if (st != status::Success)
        return st;
    for (const std::string &name : names) {
        domainNames += name;
        domainNames.push_back('\0');
    }
    domainNames.push_back('\0');
    return status::Success;
}

NetStatus SambaNetworkManagement::NetServerEnum(const std::string &server, uint32_t level,
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
    if (const NetStatus st = ready())
        return st;
    // No browser service to ask (an AD DC runs none): the domain's controller
    // answers from its accounts instead.
    const std::string wanted = domain.empty() ? m_settings.config.workgroup : domain;
    std::string dc;
    if (findDC(server, wanted, dc) != status::Success)
        return status::NoBrowserServersFound;
    std::vector<ServerInfo101> servers;
    if (serverType != svtype::All && (serverType & svtype::DomainEnum)) {
        std::string names;
        if (NetEnumerateTrustedDomains(dc, names) == status::Success) {
            for (size_t at = 0; at < names.size() && names[at] != '\0';) {
                const size_t end = names.find('\0', at);
                servers.push_back(serverEntry(names.substr(at, end - at), svtype::DomainEnum));
                at = end + 1;
            }
        }
        servers.push_back(serverEntry(upper(wanted), svtype::DomainEnum));
    } else {
        const std::string primary = upper(dc.substr(2));
        const NetStatus st = m_connections->run(dc, [&](SamrSession &session) {
            std::vector<std::string> controllers, machines;
            if (const uint32_t failed = machineAccounts(session, AcbServerTrust, controllers))
                return toNetStatus(failed, Context::Other);
            if ((serverType & ServerTypeMask)
                && machineAccounts(session, AcbWorkstationTrust, machines) != nt::Ok)
                machines.clear();
            for (const std::string &name : controllers) {
                const uint32_t type = svtype::Workstation | svtype::Server | svtype::ServerNt
                    | svtype::Nt | (upper(name) == primary ? svtype::DomainCtrl
                                                           : svtype::DomainBakCtrl);
                if (type & serverType)
                    servers.push_back(serverEntry(name, type));
            }
            const uint32_t memberType = svtype::Workstation | svtype::Nt;
            for (const std::string &name : machines) {
                if (memberType & serverType)
                    servers.push_back(serverEntry(name, memberType));
            }
            return status::Success;
        });
        if (st != status::Success)
            return st;
    }
    KeyedRows<ServerInfo101> rows;
    for (size_t i = 0; i < servers.size(); ++i)
        rows.emplace_back(uint32_t(i + 1), servers[i]);
    auto bytes = [level](const ServerInfo101 &s) { return netapi::serverInfoBytes(s, level); };
    return pageRows(rows, bytes, prefMaxLen, buffer, entriesRead, totalEntries, resumeHandle);
}

} // namespace platform::samba

#include "platform/netapi/samba/Connections.h"

#include "platform/netapi/samba/NtStatus.h"
#include "platform/netapi/samba/Reachability.h"

#include <QString>

#include <cstdio>

namespace platform::samba {

namespace {

std::string key(const std::string &host)
{
    return QString::fromStdString(host).toUpper().toStdString();
}

// Credentials refused, access denied, or the server unreachable.
NetStatus connectStatus(uint32_t ntStatus)
{
    switch (ntStatus) {
    case nt::LogonFailure:
    case nt::WrongPassword:
    case nt::NoSuchUser:
        return 1326; // ERROR_LOGON_FAILURE
    case nt::AccessDenied:
        return status::AccessDenied;
    case 0xC0000072: // ACCOUNT_DISABLED
    case 0xC0000071: // PASSWORD_EXPIRED
    case 0xC0000224: // PASSWORD_MUST_CHANGE
    case nt::AccountLockedOut:
    case 0xC000006E: // ACCOUNT_RESTRICTION
    case 0xC000006F: // INVALID_LOGON_HOURS
    case 0xC0000070: // INVALID_WORKSTATION
    case 0xC000015B: // LOGON_TYPE_NOT_GRANTED
        return NetStatus(vs_status_to_win32(ntStatus));
    case 0xC0000189: // NO_LOGON_SERVERS... and other Kerberos trouble
    case 0xC0000192:
    case 0xC0000225: // NOT_FOUND (no ticket for the server)
    case 0xC000005E:
        return 1326;
    default:
        break;
    }
    // The libraries report a refused or broken connection in many ways (a
    // refused named-pipe connection even as NO_MEMORY).
    return status::BadNetPath;
}

} // namespace

std::string serverHost(const std::string &server)
{
    std::string host = server;
    while (!host.empty() && (host.front() == '\\' || host.front() == '/'))
        host.erase(0, 1);
    return host.empty() ? std::string("localhost") : host;
}

void reportFailure(const std::string &server, const std::string &step, uint32_t ntStatus)
{
    std::fprintf(stderr, "varnel: samba: \\\\%s: %s failed: %s\n", server.c_str(),
                 step.c_str(), ntStatus ? vs_status_text(ntStatus) : "no answer");
}

NetStatus Connections::open(const std::string &server, SamrSession *&session)
{
    // "\\" with no name after it names no machine; only "" is this one.
    if (!server.empty() && server.find_first_not_of("\\/") == std::string::npos)
        return status::BadNetPath;
    const std::string host = serverHost(server);
    auto found = m_sessions.find(key(host));
    if (found != m_sessions.end()) {
        session = found->second.get();
        return status::Success;
    }
    // Name resolution has no time limit of its own in the libraries; the
    // connect itself is bounded there (no probing connection of its own, so
    // that a controller sees one connection from this process).
    if (!resolves(host, ConnectTimeoutMs)) {
        reportFailure(host, "resolving the name", 0);
        return status::BadNetPath;
    }
    const Login &login = m_settings.login;
    vs_login wire{};
    wire.config_path = m_settings.config.path.c_str();
    wire.user = login.user.c_str();
    wire.domain = login.domain.c_str();
    wire.password = login.kerberos ? nullptr : login.password.c_str();
    wire.ccache = login.ccache.empty() ? nullptr : login.ccache.c_str();
    vs_rpc *rpc = nullptr;
    const char *step = "connecting";
    if (const uint32_t st = vs_rpc_open(host.c_str(), &wire, ConnectTimeoutMs,
                                        CallTimeoutSecs, &rpc, &step)) {
        reportFailure(host, step, st);
        return connectStatus(st);
    }
    auto fresh = std::make_unique<SamrSession>(rpc, host);
    if (const uint32_t st = fresh->open()) {
        reportFailure(host, "opening the SAM domains", st);
        return st == nt::AccessDenied ? status::AccessDenied : toNetStatus(st, Context::Other);
    }
    session = fresh.get();
    m_sessions[key(host)] = std::move(fresh);
    return status::Success;
}

void Connections::drop(const std::string &server)
{
    const auto found = m_sessions.find(key(serverHost(server)));
    if (found == m_sessions.end())
        return;
    m_timedOut = found->second->timedOut();
    m_sessions.erase(found);
}

} // namespace platform::samba

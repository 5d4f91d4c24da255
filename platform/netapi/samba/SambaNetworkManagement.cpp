// Start-up and identity of the Samba back end: NetWkstaUserGetInfo and
// NetWkstaGetInfo, answered for this host from the client smb.conf and the
// credentials in use, and for another machine by its wkssvc.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/DisplayCache.h"
#include "platform/netapi/samba/LdapConnections.h"
#include "platform/netapi/samba/NetApiLibrary.h"
#include "platform/netapi/samba/Reachability.h"
#include "platform/netapi/samba/SambaRpc.h"
#include "platform/netapi/samba/ServerServices.h"

#include <QString>

#include <cstdio>

namespace platform::samba {

namespace {

constexpr uint32_t WindowsNtVersionMajor = 6; // what a Samba client announces
constexpr uint32_t WindowsNtVersionMinor = 1;
// This host's own SMB server answers at once or not at all: a refused or
// unanswered connection to the loopback address needs no more than this.
constexpr int LocalServerProbeMs = 1000;

bool isThisHost(const std::string &server, const ClientConfig &config)
{
    const std::string host = serverHost(server);
    return server.empty() || host == "localhost"
        || QString::fromStdString(host).toUpper().toStdString() == config.netbiosName;
}

// The identity of a Kerberos ticket: user@REALM, the realm's flat name being
// the workgroup when it is this host's realm.
bool kerberosIdentity(Settings &settings, std::string &problem)
{
    char principal[512] = {};
    Login &login = settings.login;
    const char *cache = login.ccache.empty() ? nullptr : login.ccache.c_str();
    if (vs_ccache_principal(settings.config.path.c_str(), cache, principal, sizeof principal)) {
        problem = "no credentials: set VARNEL_AUTHFILE to an authentication file, or run kinit";
        return false;
    }
    const QString text = QString::fromUtf8(principal);
    const QString realm = text.section(u'@', 1).toUpper();
    login.user = text.section(u'@', 0, 0).toStdString();
    login.domain = realm.toStdString() == settings.config.realm ? settings.config.workgroup
                                                                : realm.section(u'.', 0, 0)
                                                                      .toStdString();
    return true;
}

} // namespace

SambaNetworkManagement::SambaNetworkManagement()
    : m_connections(std::make_unique<Connections>(m_settings)),
      m_display(std::make_unique<DisplayCache>()),
      m_ldap(std::make_unique<LdapConnections>(m_settings))
{
}

SambaNetworkManagement::~SambaNetworkManagement() = default;

NetStatus SambaNetworkManagement::initialise()
{
    m_problem.clear();
    LdapConnections::prepareProcess();
    m_initStatus = loadSettings(m_settings, m_problem, m_givenLogin.get());
    if (m_initStatus == status::Success && m_settings.login.kerberos
        && !kerberosIdentity(m_settings, m_problem))
        m_initStatus = 1326; // ERROR_LOGON_FAILURE
    if (m_initStatus == status::Success)
        m_initStatus = libnetapi::start(m_settings, m_problem);
    if (m_initStatus != status::Success)
        std::fprintf(stderr, "varnel: samba: %s\n", m_problem.c_str());
    return m_initStatus;
}

void SambaNetworkManagement::actAs(const DirectoryCredentials &credentials)
{
    m_givenLogin = std::make_unique<Login>(passwordLogin(
        credentials.domain.toStdString(), credentials.user.toStdString(),
        credentials.password.toStdString(), std::string()));
}

NetStatus SambaNetworkManagement::checkLogon(const DirectoryCredentials &credentials)
{
    if (const NetStatus st = ready())
        return st;
    Settings trial = m_settings;
    trial.login = passwordLogin(credentials.domain.toStdString(), credentials.user.toStdString(),
                                credentials.password.toStdString(), m_settings.config.workgroup);
    std::string dcName;
    if (findDC(std::string(), trial.login.domain, dcName))
        return status::BadNetPath;
    // A connection of its own: the sessions of the account in use stay as
    // they are, and nothing of the trial outlives this call.
    Connections probe(trial);
    return probe.run(dcName, [](SamrSession &) { return status::Success; });
}

NetStatus SambaNetworkManagement::NetWkstaUserGetInfo(const std::string &,
                                                      WkstaUserInfo1 &info)
{
    if (const NetStatus st = ready())
        return st;
    info = WkstaUserInfo1();
    info.userName = m_settings.login.user;
    info.logonDomain = m_settings.login.domain;
    const auto dc = m_dcNames.find(m_settings.config.workgroup);
    info.logonServer = dc != m_dcNames.end() ? dc->second.substr(2) : std::string();
    return status::Success;
}

NetStatus SambaNetworkManagement::NetWkstaGetInfo(const std::string &server, WkstaInfo102 &info)
{
    if (const NetStatus st = ready())
        return st;
    info = WkstaInfo102();
    if (isThisHost(server, m_settings.config)) {
        info.platformId = int32_t(PlatformIdNt);
        info.computerName = m_settings.config.netbiosName;
        info.langroup = m_settings.config.workgroup;
        info.versionMajor = int32_t(WindowsNtVersionMajor);
        info.versionMinor = int32_t(WindowsNtVersionMinor);
        info.loggedOnUsers = 1;
        return status::Success;
    }
    return m_connections->run(server, [&](SamrSession &session) {
        return services::workstationInfo(session, info);
    });
}

// The accounts of "this machine" are those of this host's own SMB server (a
// DC's domain, a member server's local SAM); without one there are none.
bool SambaNetworkManagement::hasLocalAccountDatabase()
{
    return ready() == status::Success && smbAnswers("localhost", LocalServerProbeMs);
}

} // namespace platform::samba

#include "platform/netapi/samba/LdapConnections.h"

#include "platform/netapi/samba/Connections.h"
#include "platform/netapi/samba/KerberosLogon.h"

#include <QString>

#include <csignal>
#include <cstdio>

namespace platform::samba {

namespace {

// An LDAP port that does not answer within this time is taken for none: the
// SAMR path, with its own time-out, then decides whether the server is there.
constexpr int LdapConnectTimeoutMs = 2000;

std::string upper(const std::string &text)
{
    return QString::fromStdString(text).toUpper().toStdString();
}

// The Kerberos realm of the account in use when it is the DC's own realm
// (the account's domain is then that realm's flat name), else "".
std::string accountRealm(const Settings &settings, const std::string &dcRealm)
{
    const std::string &domain = settings.login.domain;
    if (domain == settings.config.workgroup && settings.config.realm == dcRealm)
        return dcRealm;
    return upper(domain) == dcRealm.substr(0, dcRealm.find('.')) ? dcRealm : std::string();
}

} // namespace

void LdapConnections::prepareProcess()
{
    kerberos::prepareConfig();
    struct sigaction current {};
    if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGPIPE, SIG_IGN);
}

bool LdapConnections::usable(const std::string &server)
{
    LdapSession *session = nullptr;
    return open(server, session) == ldaprc::Success;
}

void LdapConnections::drop(const std::string &server)
{
    m_sessions.erase(upper(serverHost(server)));
}

int LdapConnections::open(const std::string &server, LdapSession *&session)
{
    const std::string host = serverHost(server);
    const std::string key = upper(host);
    if (const auto bad = m_unusable.find(key); bad != m_unusable.end())
        return bad->second;
    if (const auto found = m_sessions.find(key); found != m_sessions.end()) {
        session = found->second.get();
        return ldaprc::Success;
    }
    std::string why;
    std::unique_ptr<LdapSession> opened = LdapSession::connect(host, LdapConnectTimeoutMs, why);
    int rc = opened ? ldaprc::Success : ldaprc::ServerDown;
    if (opened && !opened->isActiveDirectory())
        rc = ldaprc::NotActiveDirectory;
    if (rc == ldaprc::Success && (rc = bind(*opened, why)) != ldaprc::Success)
        std::fprintf(stderr, "varnel: samba: \\\\%s: LDAP: %s; SAMR serves it\n", host.c_str(),
                     why.c_str());
    if (rc != ldaprc::Success) {
        m_unusable[key] = rc;
        return rc;
    }
    session = opened.get();
    m_sessions[key] = std::move(opened);
    return ldaprc::Success;
}

int LdapConnections::bind(LdapSession &session, std::string &why)
{
    if (!kerberos::addRealm(session.realm(), session.address())) {
        why = "no private Kerberos configuration";
        return ldaprc::NotActiveDirectory;
    }
    const Login &login = m_settings.login;
    if (login.kerberos) // the ticket cache GSSAPI finds itself
        return session.bind(GSS_C_NO_CREDENTIAL, why);
    const std::string realm = accountRealm(m_settings, session.realm());
    if (realm.empty()) {
        why = "the account's domain " + login.domain + " is not the realm " + session.realm();
        return ldaprc::NotActiveDirectory;
    }
    const auto credential = kerberos::Credential::logon(login.user, realm, login.password, why);
    if (!credential)
        return ldaprc::NotActiveDirectory;
    return session.bind(credential->gss(), why);
}

} // namespace platform::samba

// Who and where: NetWkstaUserGetInfo, NetWkstaGetInfo, NetGetDCName and
// NetEnumerateTrustedDomains, as the model's local machine sees them.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/embedded/Model.h"

#include <QString>

#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace platform::embedded {

namespace {

// The operator is the account running the program, in the workstation's domain.
std::string operatorName()
{
    if (const char *user = std::getenv("USER"); user && *user)
        return user;
    const passwd *entry = getpwuid(getuid());
    return entry ? entry->pw_name : std::string();
}

std::string controllerName(Database &db, int64_t domainId)
{
    MachineRow pdc;
    return primaryController(db, domainId, pdc) ? "\\\\" + pdc.name : std::string();
}

} // namespace

NetStatus EmbeddedNetworkManagement::NetWkstaUserGetInfo(const std::string &server,
                                                         WkstaUserInfo1 &info)
{
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    DomainRow domain;
    if (!loadDomain(m_store.db(), machine.domainId, domain))
        return status::InternalError;
    info = WkstaUserInfo1();
    info.userName = m_actingUser.empty() ? operatorName() : m_actingUser;
    info.logonDomain = domain.name;
    // A proxy logon's domain, spelt as the directory spells it.
    DomainRow acting;
    if (!m_actingUser.empty() && !m_actingDomain.empty()) {
        info.logonDomain = findDomain(m_store.db(), m_actingDomain, acting)
            ? acting.name : QString::fromStdString(m_actingDomain).toUpper().toStdString();
    }
    info.logonServer = controllerName(m_store.db(), domain.id);
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetWkstaGetInfo(const std::string &server,
                                                     WkstaInfo102 &info)
{
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    DomainRow domain;
    if (!loadDomain(m_store.db(), machine.domainId, domain))
        return status::InternalError;
    info = WkstaInfo102();
    info.platformId = int32_t(PlatformIdNt);
    info.computerName = machine.name;
    info.langroup = domain.name;
    info.versionMajor = int32_t(machine.versionMajor);
    info.versionMinor = int32_t(machine.versionMinor);
    info.loggedOnUsers = machine.local ? 1 : 0;
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetGetDCName(const std::string &server,
                                                  const std::string &domain, std::string &dcName)
{
    dcName.clear();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Database &db = m_store.db();
    Transaction transaction(db, Transaction::Mode::Read);
    DomainRow target;
    const bool found = domain.empty() ? loadDomain(db, machine.domainId, target)
                                      : findDomain(db, domain, target);
    MachineRow pdc;
    if (!found || !domainKnownTo(db, machine.domainId, target.id)
        || !primaryController(db, target.id, pdc) || !pdc.reachable)
        return status::DCNotFound;
    dcName = "\\\\" + pdc.name;
    return status::Success;
}

NetStatus EmbeddedNetworkManagement::NetEnumerateTrustedDomains(const std::string &server,
                                                                std::string &domainNames)
{
    domainNames.clear();
    MachineRow machine;
    if (const NetStatus status = resolveMachine(m_store, server, machine))
        return status;
    Statement query = m_store.db().prepare(
        "SELECT d.name FROM trusts t JOIN domains d ON d.id = t.trusted_id "
        "WHERE t.trusting_id = ? ORDER BY d.id");
    query.bind(1, machine.domainId);
    while (query.step()) {
        domainNames += query.text(0);
        domainNames.push_back('\0');
    }
    if (query.failed())
        return status::InternalError;
    domainNames.push_back('\0');
    return status::Success;
}

} // namespace platform::embedded

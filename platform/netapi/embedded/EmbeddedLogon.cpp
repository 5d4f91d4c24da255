// The logon of another account against the directory: its password digest,
// its disabled flag and its lock-out.
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include "platform/netapi/Flags.h"
#include "platform/netapi/embedded/Accounts.h"
#include "platform/netapi/embedded/Model.h"
#include "platform/netapi/embedded/Passwords.h"

namespace platform::embedded {

namespace {

constexpr NetStatus LogonFailure = 1326;    // ERROR_LOGON_FAILURE
constexpr NetStatus AccountDisabled = 1331; // ERROR_ACCOUNT_DISABLED
constexpr NetStatus AccountLockedOut = 1909; // ERROR_ACCOUNT_LOCKED_OUT

// The database of the named domain; "" is the local machine's domain.
bool logonDatabase(Store &store, const std::string &domainName, SamRow &sam)
{
    Database &db = store.db();
    DomainRow domain;
    MachineRow local;
    if (domainName.empty())
        return localMachine(db, local) && loadDomain(db, local.domainId, domain)
            && loadSam(db, domain.samId, sam);
    return findSamByName(db, domainName, sam);
}

} // namespace

NetStatus EmbeddedNetworkManagement::checkLogon(const DirectoryCredentials &credentials)
{
    if (!m_store.isOpen())
        return status::OpenFailed;
    Transaction transaction(m_store.db(), Transaction::Mode::Read);
    SamRow sam;
    if (!logonDatabase(m_store, credentials.domain.toStdString(), sam))
        return status::NoSuchDomain;
    AccountRow account;
    if (!findAccount(m_store.db(), sam.id, credentials.user.toStdString(), account)
        || !verifyPassword(credentials.password.toStdString(), account.passwordHash))
        return LogonFailure;
    if (account.flags & uf::AccountDisable)
        return AccountDisabled;
    return account.locked ? AccountLockedOut : status::Success;
}

void EmbeddedNetworkManagement::actAs(const std::string &domain, const std::string &user)
{
    m_actingDomain = domain;
    m_actingUser = user;
}

} // namespace platform::embedded

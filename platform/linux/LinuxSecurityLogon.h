// Security and logon on Linux. The identity that matters to this program is
// its directory identity, the account its back end uses toward the domain
// controllers: the user is the process's effective user, or, when the back
// end acts on the wire as another account (Samba with an authentication file
// or a Kerberos ticket, or a proxy logon), that account.
//
// A logon proves an account's name and password to the back end; a process
// "started as" it is a new copy that receives the credentials over the
// credential channel (CredentialChannel.h) and uses them for every directory
// call. An administrator of this computer is root or a member of one of the
// groups that administer it (sudo, wheel, admin).
#pragma once

#include "platform/DirectoryLogon.h"
#include "platform/SecurityLogon.h"

#include <QHash>
#include <QStringList>

namespace platform {

class SessionBus;

class LinuxSecurityLogon : public SecurityLogon {
public:
    int32_t currentUserName(QString &name) override;
    bool isAdministrator() override;
    int32_t grantPrivilege(const QString &account, const QString &privilege) override;
    int32_t logonUser(const QString &user, const QString &domain, const QString &password,
                      int32_t &token) override;
    int32_t startProcessAsUser(int32_t token, const QString &program) override;
    void closeToken(int32_t token) override;
    int32_t logOff() override;

    // The back end that proves logons; null refuses them (1326).
    void setDirectoryLogon(DirectoryLogon *logon) { m_logon = logon; }
    // Where log-off requests go (tests); the session bus unless set.
    void setSessionBus(SessionBus *bus) { m_bus = bus; }
    // Test builds: the steps a copy started as another account carries out.
    void setStepsToHandOn(const QStringList &steps) { m_stepsToHandOn = steps; }

    // The account the directory back end uses on the wire ("" for none).
    static void setDirectoryUserName(const QString &name);

private:
    DirectoryLogon *m_logon = nullptr;
    SessionBus *m_bus = nullptr;
    QHash<int32_t, DirectoryCredentials> m_tokens;
    int32_t m_lastToken = 0;
    QStringList m_stepsToHandOn;
};

} // namespace platform

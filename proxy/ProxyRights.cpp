#include "ProxyRights.h"

#include "frmBackgrnd.h"

#include "app/AppContext.h"
#include "app/Seams.h"
#include "directory/GroupMembership.h"
#include "platform/Platform.h"
#include "platform/SecurityLogon.h"
#include "platform/Shell.h"

#include <memory>

namespace {

constexpr int32_t NtFamily = 2;

void closeUserManager()
{
    platform::Shell &shell = platform::shell();
    if (const intptr_t window = shell.findWindow(QStringLiteral("User Manager")))
        shell.closeWindow(window);
}

bool askLogoff()
{
    return seams::messageBox(QStringLiteral("Configuration changes complete.  You must \n"
                                            "logoff before changes will take effect.\n\n"
                                            "Do you wish to logoff now?"),
                             seams::YesNo, seams::Question,
                             AppTitle + QStringLiteral(" : Please Confirm"))
        == seams::Yes;
}

} // namespace

bool Configure_ProxyRights(QString &domain, QString &user)
{
    if (user.isEmpty()) {
        seams::messageBox(QStringLiteral("Please enter information for the proxy user "
                                         "(domain, user, password)."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Missing Parameters"));
        return false;
    }
    auto wait = std::make_unique<frmBackgrnd>();
    wait->showOnTop();
    seams::setPointer(seams::Pointer::Wait);
    const bool granted = Grant_ProxyRights(1.5);
    seams::setPointer(seams::Pointer::Default);
    wait.reset();
    closeUserManager();
    if (!granted) {
        seams::messageBox(QStringLiteral("Error configuring proxy rights."), seams::OkOnly,
                          seams::Critical, AppTitle + QStringLiteral(" : Error"));
        return false;
    }
    const QString member = domain.isEmpty() ? user : domain + u'\\' + user;
    Add_GroupMember(member, QString(), QStringLiteral("Administrators"), true);
    if (askLogoff())
        Logoff_User();
    return true;
}

// The NT rights (act as part of the operating system, log on as a batch job,
// replace a process level token) mean nothing here; what is left of the grant
// is its refusal to a caller who does not administer this computer.
bool Grant_ProxyRights(double)
{
    return Is_LocalAdmin();
}

bool Is_LocalAdmin() { return platform::security().isAdministrator(); }

void Logoff_User()
{
    if (appContext().OsVersion.platformId == NtFamily)
        Enable_Privilege(QStringLiteral("SeShutdownPrivilege"));
    appContext().LastNetStatus = platform::security().logOff();
}

// A session manager takes a log-off request from any program of the session:
// there is no privilege to switch on first.
bool Enable_Privilege(const QString &) { return true; }

#include "UserWindows.h"

#include "AddUserWindow.h"
#include "DeleteUserWindow.h"
#include "ModifyUserWindow.h"
#include "WtsUserWindow.h"

#include "ui/GuiStartup.h"

void registerUserWindows()
{
    registerTaskWindow(QStringLiteral("MENUOPT_AddUser"), [] { return new frmNTAddUserComputer; });
    registerTaskWindow(QStringLiteral("MENUOPT_DelUser"), [] { return new frmNTDelUser; });
    registerTaskWindow(QStringLiteral("MENUOPT_ModUser"), [] { return new frmNTModUser; });
    frmNTModUser::setTerminalServerDialog(
        [](QWidget *owner, const QString &server, const QString &user) {
            frmWTSUser dialog(owner);
            dialog.TargetServer = server;
            dialog.TargetUser = user;
            dialog.exec();
        });
}

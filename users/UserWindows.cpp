#include "UserWindows.h"

#include "AddUserWindow.h"
#include "DeleteUserWindow.h"
#include "ModifyUserWindow.h"

#include "ui/GuiStartup.h"

void registerUserWindows()
{
    registerTaskWindow(QStringLiteral("MENUOPT_AddUser"), [] { return new frmNTAddUserComputer; });
    registerTaskWindow(QStringLiteral("MENUOPT_DelUser"), [] { return new frmNTDelUser; });
    registerTaskWindow(QStringLiteral("MENUOPT_ModUser"), [] { return new frmNTModUser; });
}

#include "ComputerWindows.h"

#include "frmNTAddComputer.h"
#include "frmNTDelComputer.h"
#include "frmNTModComputer.h"

#include "ui/GuiStartup.h"

void registerComputerWindows()
{
    registerTaskWindow(QStringLiteral("MENUOPT_AddComputer"), [] { return new frmNTAddComputer; });
    registerTaskWindow(QStringLiteral("MENUOPT_DelComp"), [] { return new frmNTDelComputer; });
    registerTaskWindow(QStringLiteral("MENUOPT_ModComp"), [] { return new frmNTModComputer; });
}

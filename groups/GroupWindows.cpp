#include "GroupWindows.h"

#include "frmNTAddGroup.h"
#include "frmNTDelGroup.h"
#include "frmNTModGroup.h"

#include "ui/GuiStartup.h"

void registerGroupWindows()
{
    registerTaskWindow(QStringLiteral("MENUOPT_AddGroup"), [] { return new frmNTAddGroup; });
    registerTaskWindow(QStringLiteral("MENUOPT_DelGroup"), [] { return new frmNTDelGroup; });
    registerTaskWindow(QStringLiteral("MENUOPT_ModGroup"), [] { return new frmNTModGroup; });
}

#include "AccountListWindows.h"

#include "frmNTAccList.h"

#include "ui/GuiStartup.h"

void registerAccountListWindows()
{
    registerTaskWindow(QStringLiteral("MENUOPT_Search"), [] { return new frmNTAccList; });
}

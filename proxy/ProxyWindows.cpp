#include "ProxyWindows.h"

#include "frmNTProxy.h"

#include "ui/GuiStartup.h"

void registerProxyWindow()
{
    registerTaskWindow(QStringLiteral("MENUOPT_Proxy"), [] { return new frmNTProxy; });
}

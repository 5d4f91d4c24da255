#include "Identity.h"

#include "AppContext.h"
#include "platform/NetworkManagement.h"
#include "platform/Platform.h"
#include "platform/SecurityLogon.h"
#include "platform/SystemInfo.h"

namespace {

QString cutAtNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

QString Get_UserName()
{
    QString name;
    const int32_t result = platform::security().currentUserName(name);
    appContext().LastNetStatus = result;
    return result != 0 ? cutAtNull(name.trimmed()) : QString();
}

QString Get_ComputerName()
{
    QString name;
    const bool ok = platform::system().computerName(name);
    appContext().LastNetStatus = ok ? 1 : 0;
    return ok ? cutAtNull(name.trimmed()) : QString();
}

QString Get_LogonDomain()
{
    platform::WkstaUserInfo1 info;
    const platform::NetStatus status = platform::net().NetWkstaUserGetInfo({}, info);
    appContext().LastNetStatus = status;
    return status == platform::status::Success ? QString::fromStdString(info.logonDomain)
                                               : QString();
}

QString Get_WkstaDomain()
{
    platform::WkstaInfo102 info;
    const platform::NetStatus status = platform::net().NetWkstaGetInfo({}, info);
    appContext().LastNetStatus = status;
    return status == platform::status::Success ? QString::fromStdString(info.langroup)
                                               : QString();
}

QString Get_Identity()
{
    const QString domain = Get_LogonDomain();
    return domain + u'\\' + Get_UserName();
}

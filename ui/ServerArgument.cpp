#include "ServerArgument.h"

#include "app/DomainList.h"
#include "directory/DirectoryResult.h"
#include "platform/netapi/Statuses.h"

bool Is_ServerName(const QString &domain) { return domain.startsWith(QStringLiteral("\\\\")); }

QString Server_Argument(const QString &domain)
{
    return domain == MyComputer ? QString() : domain;
}

bool Is_Unreachable(int32_t result)
{
    return result == directory_result::NoController || result == platform::status::BadNetPath;
}

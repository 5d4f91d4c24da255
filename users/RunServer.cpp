#include "RunServer.h"

#include "directory/ServerResolution.h"
#include "ui/ServerArgument.h"

bool Find_RunServer(const QString &domain, QString &server)
{
    if (Is_ServerName(domain)) {
        server = Server_Argument(domain);
        return true;
    }
    server = Get_DCName(domain, {});
    return !server.isEmpty();
}

#include "ProxyLogon.h"

#include "app/AppContext.h"
#include "app/ProgramFolder.h"
#include "platform/Platform.h"
#include "platform/SecurityLogon.h"

#include <QCoreApplication>

namespace {

std::function<void()> &endProgram()
{
    static std::function<void()> end = [] { QCoreApplication::exit(0); };
    return end;
}

} // namespace

int32_t Logon_Proxy(QString &user, QString &domain, QString &password, const QString &program,
                    int32_t &token)
{
    platform::SecurityLogon &security = platform::security();
    if (token == 0) {
        appContext().LastNetStatus = security.logonUser(user, domain, password, token);
        if (appContext().LastNetStatus != 0)
            token = 0;
    }
    if (token == 0)
        return 0;
    const int32_t started = security.startProcessAsUser(token, program);
    security.closeToken(token);
    token = 0;
    return started;
}

QString ProxyProgram() { return ProgramFolder() + u'/' + ExeBaseName; }

void End_Program() { endProgram()(); }

void SetEndProgram(std::function<void()> end)
{
    endProgram() = end ? std::move(end) : [] { QCoreApplication::exit(0); };
}

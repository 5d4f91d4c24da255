#include "Startup.h"

#include "AppContext.h"
#include "OsVersion.h"
#include "Seams.h"

namespace {

constexpr int32_t NtFamily = 2;

void warnIfNotNt()
{
    if (appContext().OsVersion.platformId == NtFamily)
        return;
    seams::messageBox(QStringLiteral("WARNING: This utility is designed for Windows NT.\n\n"
                                     "You may experience problems running under any other "
                                     "operating system."),
                      seams::OkOnly, seams::Exclamation, AppTitle + QStringLiteral(" : WARNING OS"));
}

} // namespace

std::optional<int> Main(const QString &commandLine, const StartupHooks &hooks)
{
    appContext().CommandLine = commandLine;
    if (const auto request = ParseAccountListRequest(commandLine))
        return hooks.runAccountList(*request);
    hooks.showMainWindow();
    seams::doEvents();
    Get_OSVersion();
    warnIfNotNt();
    return std::nullopt;
}

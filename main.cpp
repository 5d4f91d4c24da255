// Varnel: chooses between the windowless account listing and the windowed
// program before any application object exists, so that the listing needs no
// display.
#include "app/CommandLine.h"
#include "app/Seams.h"
#include "app/Startup.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/netapi/unsupported/UnsupportedNetworkManagement.h"
#include "ui/GuiStartup.h"
#include "ui/QtSeams.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

namespace {

QString commandLineOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return JoinCommandLine(arguments);
}

int runAccountListing(const AccountListRequest &)
{
    std::fprintf(stderr, "varnel: the account listing is not available in this build\n");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString commandLine = commandLineOf(argc, argv);
    static platform::UnsupportedNetworkManagement net;

    if (ParseAccountListRequest(commandLine)) {
        QCoreApplication app(argc, argv);
        platform::installLinuxPlatform(&net, nullptr);
        return Main(commandLine, {runAccountListing, [] {}}).value_or(0);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnel"));
    platform::installLinuxPlatform(&net, nullptr);
    seams::install(seams::qtSeams());
    if (const auto exitCode = Main(commandLine, {runAccountListing, showMainWindow}))
        return *exitCode;
    return QApplication::exec();
}

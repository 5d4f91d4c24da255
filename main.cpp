// Varnel: chooses between the windowless account listing and the windowed
// program before any application object exists, so that the listing needs no
// display.
#include "accountlist/AccountListWindows.h"
#include "accountlist/ChildProcess.h"
#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/Seams.h"
#include "app/Startup.h"
#include "groups/GroupWindows.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/netapi/BackendSelection.h"
#include "ui/GuiStartup.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtSeams.h"
#include "ui/SharedProgressBar.h"
#include "users/UserWindows.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

namespace {

// A directory back end that was refused ends the process with this code.
constexpr int BadBackEnd = 2;

QString commandLineOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return JoinCommandLine(arguments);
}

int runAccountListing(const AccountListRequest &request)
{
    return ChildProcess(request);
}

platform::netapi::BackendSelection selectDirectory()
{
    auto selection = platform::netapi::selectNetworkManagement([] { return seams::now(); });
    if (!selection.warning.isEmpty())
        std::fprintf(stderr, "varnel: %s\n", qUtf8Printable(selection.warning));
    return selection;
}

void installPlatform(const platform::netapi::BackendSelection &directory,
                     platform::FileDialogs *fileDialogs)
{
    platform::installLinuxPlatform(directory.net.get(), fileDialogs);
    if (!directory.directoryUserName.isEmpty())
        platform::useDirectoryUserName(directory.directoryUserName);
}

} // namespace

int main(int argc, char **argv)
{
    const QString commandLine = commandLineOf(argc, argv);

    if (ParseAccountListRequest(commandLine)) {
        QCoreApplication app(argc, argv);
        const auto directory = selectDirectory();
        if (!directory.net) {
            std::fprintf(stderr, "varnel: %s\n", qUtf8Printable(directory.error));
            return BadBackEnd;
        }
        installPlatform(directory, nullptr); // no dialogs without a window
        return Main(commandLine, {runAccountListing, [] {}}).value_or(0);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnel"));
    seams::install(seams::qtSeams());
    const auto directory = selectDirectory();
    if (!directory.net) {
        seams::messageBox(directory.error, seams::OkOnly, seams::Critical,
                          AppTitle + QStringLiteral(" : Directory Back End"));
        return BadBackEnd;
    }
    static QtFileDialogs fileDialogs;
    installPlatform(directory, &fileDialogs);
    // A back end that could not start is named once, at start.
    if (!directory.warning.isEmpty())
        seams::messageBox(directory.warning, seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Directory Back End"));
    installSharedProgressBar();
    registerGroupWindows();
    registerUserWindows();
    registerAccountListWindows();
    if (const auto exitCode = Main(commandLine, {runAccountListing, showMainWindow}))
        return *exitCode;
    return QApplication::exec();
}

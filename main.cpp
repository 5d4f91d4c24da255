// Varnel: chooses between the windowless account listing and the windowed
// program before any application object exists, so that the listing needs no
// display.
#include "accountlist/ChildProcess.h"
#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/Seams.h"
#include "app/Startup.h"
#include "groups/GroupWindows.h"
#include "platform/linux/CredentialChannel.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/netapi/BackendSelection.h"
#include "proxy/ProxyWindows.h"
#include "ui/GuiStartup.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtSeams.h"
#include "ui/SharedProgressBar.h"
#include "users/UserWindows.h"

#ifdef VARNEL_TEST_REQUESTS
#include "proxy/TestRequests.h"
#endif

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
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

// actAs: the account a proxy logon handed over, or null.
platform::netapi::BackendSelection selectDirectory(const platform::DirectoryCredentials *actAs)
{
    auto selection =
        platform::netapi::selectNetworkManagement([] { return seams::now(); }, actAs);
    if (!selection.warning.isEmpty())
        std::fprintf(stderr, "varnel: %s\n", qUtf8Printable(selection.warning));
    return selection;
}

void installPlatform(const platform::netapi::BackendSelection &directory,
                     platform::FileDialogs *fileDialogs)
{
    platform::installLinuxPlatform(directory.net.get(), fileDialogs, directory.logon);
    if (!directory.directoryUserName.isEmpty())
        platform::useDirectoryUserName(directory.directoryUserName);
}

} // namespace

int main(int argc, char **argv)
{
    // A copy started under a proxy account reads who it is before anything
    // else, so that the pipe is closed and no child of ours can inherit it.
    const auto handover = platform::receiveCredentials();
    const platform::DirectoryCredentials *actAs = platform::inheritedCredentials();
    const QString commandLine = commandLineOf(argc, argv);

    if (ParseAccountListRequest(commandLine)) {
        QCoreApplication app(argc, argv);
        const auto directory = selectDirectory(actAs);
        if (!directory.net) {
            std::fprintf(stderr, "varnel: %s\n", qUtf8Printable(directory.error));
            return BadBackEnd;
        }
        installPlatform(directory, nullptr); // no dialogs without a window
        return Main(commandLine, {runAccountListing, [] {}}).value_or(0);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnel"));
    // The installed desktop entry and icon: desktops match windows to the entry by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.varnel.Varnel"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.varnel.Varnel")));
    seams::install(seams::qtSeams());
    const auto directory = selectDirectory(actAs);
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
    registerProxyWindow();
    if (const auto exitCode = Main(commandLine, {runAccountListing, showMainWindow}))
        return *exitCode;
#ifdef VARNEL_TEST_REQUESTS
    if (handover && !handover->testSteps.isEmpty())
        RunTestSteps(handover->testSteps);
#else
    (void)handover;
#endif
    return QApplication::exec();
}

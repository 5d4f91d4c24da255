// The entry point's logic: choose the windowless account listing or the
// interactive program, then the start-up checks.
#pragma once

#include "CommandLine.h"

#include <functional>
#include <optional>

struct StartupHooks {
    // The windowless account listing; returns the process exit code.
    std::function<int(const AccountListRequest &)> runAccountList;
    // Shows the main window, modeless.
    std::function<void()> showMainWindow;
};

// Runs the start-up steps for the command line. Returns an exit code when the
// process should end now (the account listing ran), nothing when the
// interactive program should enter its event loop.
std::optional<int> Main(const QString &commandLine, const StartupHooks &hooks);

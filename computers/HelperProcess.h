// Starting a helper program and waiting for it while the windows stay alive:
// the wait ends the moment the helper ends, or when the bound has passed on
// the program's clock (then the helper is ended). Started with an argument
// list, never through a shell, so no argument can become a command.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct HelperOutcome {
    bool started = false;
    // Ended by itself within the bound (not killed, not crashed).
    bool ended = false;
    int exitCode = -1;
    QString output;
};

// The folder the site's helpers (netdom.exe) are looked for in: the
// executable's folder in a build tree, lib/varnel under the prefix once
// installed.
QString Helper_Folder();

// `stop` is asked on every look at the bound: true ends the wait (and the
// helper) at once, as the bound does.
HelperOutcome Run_Helper(const QString &program, const QStringList &arguments, int boundSeconds,
                         const std::function<bool()> &stop = {});

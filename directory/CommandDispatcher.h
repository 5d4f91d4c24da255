// The single entry through which the task windows change the directory. A
// command is a window's title and a two-digit suffix ("NT Add Group.01"); the
// dispatcher turns it into one call of the directory layer, filling the fixed
// values the command implies, and returns that call's result unchanged.
#pragma once

#include "CommandArguments.h"

#include <QStringList>

#include <QString>
#include <cstdint>

// `command` is matched exactly (case too); an unknown one returns -1 and
// touches nothing. `accountName` is the account acted on (the member, for the
// membership commands) and comes back as the layer rewrites it: a computer's
// name upper-case and without "$". `server`: "" this machine, "\\NAME" that
// server, else a domain (its primary controller). 0 success, a positive
// service status, -1 (unknown command, an absent or unreadable argument the
// command needs) or -9 (no controller for the domain).
// What a command did besides its result, for the window's words. The soft
// delete and the reuse fill it; the other commands leave it as it is.
struct CommandReport {
    // The listed domains whose local groups still hold the account after a
    // soft delete or a reuse asked them to let it go.
    QStringList keptBy;
    // The name a soft delete gave the account when its clean-up then failed
    // in the account's own domain (renamed and stripped, but still in a group).
    QString renamedTo;
};

int32_t Execute_Command(const QString &command, QString &accountName, const QString &server,
                        const CommandArguments &options = {}, CommandReport *report = nullptr);

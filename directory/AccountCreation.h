// Creating and deleting user accounts, computer (workstation trust) accounts
// and groups.
#pragma once

#include <QString>
#include <cstdint>

// What Add_Account writes besides the name. A user reads every field; a
// computer only Description (and gets Password set to its generated one); a
// group Description and LocalGroup.
struct NewAccount {
    QString FullName;
    QString Password;
    QString ScriptPath;
    QString Description;
    QString UserComment;
    bool LocalGroup = false;
    bool MustChangePassword = false;
};

// Creates the account of `kind` (account_kind::User, Computer or Group) at
// `server`. A computer ws01 becomes the account WS01$ with the password ws01;
// `name` comes back without a trailing "$". Returns the service's status, -1
// for another kind, -9 when the domain's controller cannot be found.
int32_t Add_Account(QString &name, const QString &server, int32_t kind, NewAccount &account);

// Deletes the account (a computer's as NAME$); leaves the status in
// LastNetStatus. Results as Add_Account.
int32_t Delete_Account(QString &name, const QString &server, int32_t kind, bool localGroup);

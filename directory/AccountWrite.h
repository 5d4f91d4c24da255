// Changing an existing user account, computer account or group: it is read
// first and written back with the requested changes, so what is not touched
// keeps its value. A change that carries a new name renames first and writes
// under the new name, renaming back when the write fails: the account ends
// either fully changed or as it was.
#pragma once

#include <QString>
#include <cstdint>

struct AccountChanges {
    // User: home directory, optionally led by a drive in brackets ("[H]\\srv\\x"
    // gives drive H: and directory \\srv\x).
    QString HomeDir;
    QString Profile;
    QString Description;     // the comment, for every kind
    QString FullName;
    QString Script;
    QString UserComment;
    bool MustChange = false;
    bool CannotChange = false;
    bool NeverExpires = false;
    bool Disabled = false;
    // True: every property is written, empty ones clear it, and a user's
    // three flags above are set as given and its lock-out cleared; the other
    // flags and the expiry stay as the controller holds them.
    // False: only non-empty properties are written; the flags stay.
    bool FullUpdate = false;
    // With FullUpdate: the user gets a fresh account's state instead (expiry
    // never, no flag but the three above), as an account taken back into use.
    bool FreshAccount = false;
    bool LocalGroup = false;
    QString Password;        // written when not empty; a computer rename sets it
    QString NewName;         // renamed to when not empty
};

// Returns the status of the last service call made (kept in LastNetStatus):
// the read's when it fails (nothing written), the rename's when it fails
// (nothing written), else the write's (a failed write renames back). -1 for
// a kind other than user, computer, group; -9 when the domain's controller
// cannot be found. A computer's name and new name come back upper-case and
// without "$".
int32_t Set_AccountInfo(QString &name, const QString &server, int32_t kind,
                        AccountChanges &changes);

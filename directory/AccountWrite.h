// Changing an existing user account, computer account or group: it is read
// first and written back with the requested changes, so what is not touched
// keeps its value; a rename comes last.
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
    // True: every property is written, empty ones clear it, and a user's flags
    // are rebuilt from the four flags above (which unlocks a locked-out user).
    // False: only non-empty properties are written; the flags stay.
    bool FullUpdate = false;
    bool LocalGroup = false;
    QString Password;        // written when not empty; a computer rename sets it
    QString NewName;         // renamed to when not empty
};

// Returns the status of the last service call made (kept in LastNetStatus):
// the read's when it fails (nothing written), the write's when it fails (no
// rename), else the rename's. -1 for a kind other than user, computer, group;
// -9 when the domain's controller cannot be found. A computer's name and new
// name come back upper-case and without "$".
int32_t Set_AccountInfo(QString &name, const QString &server, int32_t kind,
                        AccountChanges &changes);

// The uniqueness search of the add windows: is a name free in every listed
// domain? Only a lookup that answers "not found" counts as free; a domain that
// cannot be reached or a lookup that fails otherwise (access denied, RPC
// server unavailable, ...) stops the add, for the program adds only what it
// can prove unique.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// What one Check_Account status proves about a name.
enum class NameLookup {
    Taken,       // 0: an account of that name exists
    Free,        // the kind's "not found" status
    Unreachable, // -9 (no controller) or 53 (bad network path)
    Failed,      // any other status: nothing is proved
};

// "Not found" is 2221 for users and computers, 2220 for global groups, and
// 2220 or 1376 (ERROR_NO_SUCH_ALIAS) for local groups.
NameLookup Classify_Lookup(int32_t status, int32_t kind, bool localGroup);

// Where a walk of the domain list stopped.
struct DomainSearch {
    NameLookup outcome = NameLookup::Free;
    int32_t status = 1;   // of the last lookup made; 1 when none was made
    QString entry;        // the list entry that ended the walk, if one did
    bool stopped = false; // `answered` ended the walk before it was done
};

// Looks `name` up in every entry of `entries`, first to last ("\\My Computer"
// being this machine), until one holds it or does not answer "not found".
// `answered` runs after each entry that answered found or not found (the
// windows advance their progress bar and let events run there); when it
// returns false (the window is closing) the walk ends at once, unfinished.
DomainSearch Search_Domains(const QString &name, int32_t kind, bool localGroup,
                            const QStringList &entries, const std::function<bool()> &answered);

// The second paragraph of an add stopped by the search: the entry followed
// by " domain controller is down. ..." when it cannot be reached, else by
// ": " and the words of its status.
QString Search_FailureText(const QString &entry, NameLookup outcome, int32_t status);

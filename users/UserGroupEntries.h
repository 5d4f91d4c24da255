// The groups list of the read-only view of a user account: its global groups
// and local groups at the server of the run, and the local groups that hold
// it in the other domains of the domain list.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class ListControl;

struct GroupSearch {
    QString user;        // the account name
    QString server;      // the server of the run
    QString domain;      // the domain field's trimmed text
    QString domainText;  // how local groups at the server are qualified
    // The domain list's entries after the first: the domains asked for local
    // groups that hold domain\user (only when `domain` is a domain).
    QStringList otherDomains;
    // Lets pending window events run; false ends the listing there. Unset,
    // events run and the listing goes on.
    std::function<bool()> letEventsRun;
};

// Adds "GLOBAL: group", then "LOCAL: " + domainText + "\group", then
// "LOCAL: " + other domain + "\group" for each other domain whose controller
// is found and is not the server of the run. Pending window events run after
// each entry, so that a long list shows as it grows.
// (The listing ends early when search.letEventsRun answers false.)
void List_UserGroups(ListControl &list, const GroupSearch &search);

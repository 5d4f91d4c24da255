// The groups list of the read-only view of a user account: its global groups
// and local groups at the server of the run, and the local groups that hold
// it in the other domains of the domain list.
#pragma once

#include <QString>
#include <QStringList>

class ListControl;

struct GroupSearch {
    QString user;        // the account name
    QString server;      // the server of the run
    QString domain;      // the domain field's trimmed text
    QString domainText;  // how local groups at the server are qualified
    // The domain list's entries, every one: the domains asked for local
    // groups that hold domain\user (only when `domain` is a domain).
    QStringList otherDomains;
};

// Adds "GLOBAL: group", then "LOCAL: " + domainText + "\group", then
// "LOCAL: " + other domain + "\group" for each other domain whose controller
// is found and is not the server of the run. Pending window events run after
// each entry, so that a long list shows as it grows.
void List_UserGroups(ListControl &list, const GroupSearch &search);

// The last logon of a user account. Each domain controller keeps its own
// record of the logons it handled, so the latest one is searched for across
// the primary controller and every backup controller.
#pragma once

#include <QDate>
#include <QString>
#include <functional>

struct LastLogon {
    QDate date;      // invalid: no controller could be read
    QString server;  // the controller that holds it
};

// Whether a date read at another controller replaces the one found so far:
// only when it is at least one whole day later, so a later logon on the same
// day does not move the answer away from the first controller.
bool Is_LaterLogon(const LastLogon &found, const QDate &candidate);

// `logonServer` is the server the account is bound to (as the view shows
// it): when it names a controller ("\\NAME") only that one is asked.
// Otherwise the server of the run is asked, then each backup controller of
// `domain` in the order listed; `progress` is told, before each of them, how
// many remain after it, and the search ends when it answers false. A
// controller that cannot be read is skipped.
LastLogon Find_LastLogon(const QString &user, const QString &logonServer,
                         const QString &runServer, const QString &domain,
                         const std::function<bool(int remaining)> &progress);

// The date in the short format, then ", " and the controller when one is
// known; empty when nothing was found.
QString LastLogon_Text(const LastLogon &found);

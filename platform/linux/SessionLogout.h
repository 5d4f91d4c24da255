// The log-off of the desktop session: a request to the session manager over
// the session bus for the ordinary, interactive log-out (the one that lets
// programs save their work, and may ask the user), never a forced end of the
// session. logind's TerminateSession is therefore not used.
#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace platform {

// One session manager's log-out method.
struct LogoutRequest {
    QString service;
    QString path;
    QString interface;
    QString method;
    QVariantList arguments;
};

// The desktops' interfaces, in the order they are asked.
QList<LogoutRequest> logoutRequests();

// Sends one request; true when a session manager took it.
class SessionBus {
public:
    virtual ~SessionBus() = default;
    virtual bool call(const LogoutRequest &request) = 0;
};

// The session bus of this login (Qt D-Bus).
SessionBus &dbusSessionBus();

// Asks each session manager in turn until one takes the request: 0, or 50
// (not supported) when none answers and nothing happened.
int32_t requestLogout(SessionBus &bus);

} // namespace platform

// What happens to one call when the connection breaks under it. A read is
// simply made again on a fresh connection. A write is made again only when
// none of its changing requests went out; once one did and its reply was lost,
// the change may or may not have been made, so its outcome is read back on a
// fresh connection instead: done is a success, anything else the transport's
// failure (never a success that was not seen).
//
// Link is the way to one server: open(Session *&) gives its session (a
// NetStatus), drop() forgets it. A Session says broken(), transportLost()
// and changeSent() (since beginCall()).
#pragma once

#include "platform/netapi/Statuses.h"

namespace platform::samba {

enum class Outcome { Done, NotDone, Unknown };

// The outcome of a create (wanted present) or a delete (wanted absent) from
// a look-up's status: found, notFound, or anything else (unknown).
inline Outcome presence(NetStatus lookedUp, NetStatus notFound, bool wantedPresent)
{
    if (lookedUp == status::Success)
        return wantedPresent ? Outcome::Done : Outcome::NotDone;
    if (lookedUp == notFound)
        return wantedPresent ? Outcome::NotDone : Outcome::Done;
    return Outcome::Unknown;
}

template <typename Link, typename Op>
NetStatus runRead(Link &link, Op op)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        typename Link::Session *session = nullptr;
        if (const NetStatus st = link.open(session))
            return st;
        session->beginCall();
        const NetStatus result = op(*session);
        if (!session->broken())
            return result;
        const bool lost = session->transportLost();
        link.drop();
        if (!lost || attempt == 1)
            return result;
    }
    return status::BadNetPath;
}

// check(session) reads back on a fresh session whether the write took effect.
template <typename Link, typename Op, typename Check>
NetStatus runWrite(Link &link, Op op, Check check)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        typename Link::Session *session = nullptr;
        if (const NetStatus st = link.open(session))
            return st;
        session->beginCall();
        const NetStatus result = op(*session);
        if (!session->broken())
            return result;
        const bool lost = session->transportLost();
        const bool sent = session->changeSent();
        link.drop();
        if (!lost)
            return result;
        if (!sent) {
            if (attempt == 0)
                continue;
            return result;
        }
        Outcome outcome = Outcome::Unknown;
        typename Link::Session *fresh = nullptr;
        if (link.open(fresh) == status::Success) {
            fresh->beginCall();
            outcome = check(*fresh);
            if (fresh->broken())
                link.drop();
        }
        return outcome == Outcome::Done ? status::Success : result;
    }
    return status::BadNetPath;
}

} // namespace platform::samba

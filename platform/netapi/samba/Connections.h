// The SAMR sessions of the back end, one per server, opened on first use and
// kept until the connection breaks. Connection failures become the statuses a
// netapi32 caller knows: 53 the server does not answer, 1326 the credentials
// are refused, 5 access is denied; the server and the failed step go to stderr.
#pragma once

#include "platform/netapi/Statuses.h"
#include "platform/netapi/samba/CallCourse.h"
#include "platform/netapi/samba/SambaSettings.h"
#include "platform/netapi/samba/SamrSession.h"

#include <map>
#include <memory>
#include <string>

namespace platform::samba {

// "" is this host; "\\NAME" and "NAME" name a machine.
std::string serverHost(const std::string &server);

// Within about this time a server that does not answer is reported (53).
inline constexpr int ConnectTimeoutMs = 5000;
// The longest one RPC call may take. A controller whose processes are frozen
// keeps its TCP connections up, so only this bounds the wait for its answer;
// the slowest call the suite makes of a loaded DC (a first display listing of
// thousands of accounts) takes well under a second. Dropping the connection
// after a timeout costs up to one second more (Samba's client closes the
// named pipe synchronously), so a failing call returns within about 5 s.
inline constexpr unsigned CallTimeoutSecs = 4;
// A call that got no answer in time (ERROR_SEM_TIMEOUT): the server may or may
// not have carried it out, and is not asked again (nor read back).
inline constexpr NetStatus NoAnswerInTime = 121;

class Connections {
public:
    explicit Connections(const Settings &settings) : m_settings(settings) {}

    // Runs op(session) on the server's session, kept for the life of the
    // process; made once more on a fresh connection when the connection broke
    // under it before any change went out (CallCourse.h).
    template <typename Op>
    NetStatus run(const std::string &server, Op op)
    {
        return write(server, op, [](SamrSession &) { return Outcome::Unknown; });
    }
    // The same for a write whose outcome check(session) can read back when its
    // reply was lost.
    template <typename Op, typename Check>
    NetStatus write(const std::string &server, Op op, Check check)
    {
        ServerLink link{*this, server};
        m_timedOut = false;
        const NetStatus result = runWrite(link, op, check);
        return m_timedOut ? NoAnswerInTime : result;
    }

    void drop(const std::string &server);
    void dropAll() { m_sessions.clear(); }

private:
    // One server as CallCourse.h sees it.
    struct ServerLink {
        using Session = SamrSession;
        Connections &connections;
        const std::string &server;
        NetStatus open(SamrSession *&session) { return connections.open(server, session); }
        void drop() { connections.drop(server); }
    };

    NetStatus open(const std::string &server, SamrSession *&session);

    const Settings &m_settings;
    std::map<std::string, std::unique_ptr<SamrSession>> m_sessions;
    // Whether the session dropped last had let a call time out.
    bool m_timedOut = false;
};

// Reports a failed step on stderr: "varnel: samba: \\SERVER: step: text".
void reportFailure(const std::string &server, const std::string &step, uint32_t ntStatus);

} // namespace platform::samba

// The SAMR sessions of the back end, one per server, opened on first use and
// kept until the connection breaks. Connection failures become the statuses a
// netapi32 caller knows: 53 the server does not answer, 1326 the credentials
// are refused, 5 access is denied; the server and the failed step go to stderr.
#pragma once

#include "platform/netapi/Statuses.h"
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
// not have carried it out.
inline constexpr NetStatus NoAnswerInTime = 121;

class Connections {
public:
    explicit Connections(const Settings &settings) : m_settings(settings) {}

    // Runs op(session) on the server's session; once more on a fresh
    // connection when the connection broke under it. A server that let a call
    // time out is not asked again: it would not answer the next one either.
    template <typename Op>
    NetStatus run(const std::string &server, Op op)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            SamrSession *session = nullptr;
            if (const NetStatus st = open(server, session))
                return st;
            const NetStatus result = op(*session);
            if (!session->broken())
                return result;
            const bool timedOut = session->timedOut();
            const bool retry = session->transportLost() && !timedOut && attempt == 0;
            drop(server);
            if (timedOut)
                return NoAnswerInTime;
            if (!retry)
                return result;
        }
        return status::BadNetPath;
    }

    void drop(const std::string &server);
    void dropAll() { m_sessions.clear(); }

private:
    NetStatus open(const std::string &server, SamrSession *&session);

    const Settings &m_settings;
    std::map<std::string, std::unique_ptr<SamrSession>> m_sessions;
};

// Reports a failed step on stderr: "varnel: samba: \\SERVER: step: text".
void reportFailure(const std::string &server, const std::string &step, uint32_t ntStatus);

} // namespace platform::samba

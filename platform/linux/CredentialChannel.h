// How a copy of the program started under a proxy account learns who to be:
// the account's domain, name and password travel through a pipe that only the
// new process inherits. Its number (never the password) is in the environment
// variable VARNEL_CREDENTIAL_FD; the new copy reads the pipe to its end and
// closes it at start-up, before anything else, and removes the variable. So
// the password is never on a command line, in an environment or in a file,
// and it leaves the pipe's kernel buffer the moment it is read.
//
// Every process the proxy copy starts gets the same credentials the same
// way, as a Windows process inherits its parent's token:
//
//     QProcess copy;
//     platform::CredentialHandOn handOn(copy); // before start()
//     copy.start(program, arguments);          // handOn closes its end after
//
// A copy that runs under its own credentials hands on nothing.
#pragma once

#include "platform/DirectoryLogon.h"

#include <QStringList>
#include <optional>

class QProcess;

namespace platform {

inline constexpr const char *CredentialFdVariable = "VARNEL_CREDENTIAL_FD";

struct CredentialHandover {
    DirectoryCredentials credentials;
    // Test builds only: steps a test asks the new copy to carry out (see
    // proxy/TestRequests.h); always empty in a program built without tests.
    QStringList testSteps;
};

// At start-up: the handover of the pipe VARNEL_CREDENTIAL_FD names, read and
// closed; nothing when the variable is not set or the pipe holds no handover.
// Remembers the credentials for CredentialHandOn.
std::optional<CredentialHandover> receiveCredentials();

// The credentials this copy received at start-up, or null.
const DirectoryCredentials *inheritedCredentials();

// Starts program (no arguments), detached, with the handover on a fresh pipe.
// The process id, or -1 when it could not be started.
qint64 startWithCredentials(const QString &program, const CredentialHandover &handover);

// Hands this copy's inherited credentials to the process about to be started
// by `process` (see above); does nothing when there are none. Keep it alive
// until start() has returned.
class CredentialHandOn {
public:
    explicit CredentialHandOn(QProcess &process);
    // Hands `handover` on instead (tests start a first copy this way).
    CredentialHandOn(QProcess &process, const CredentialHandover &handover);
    ~CredentialHandOn();
    CredentialHandOn(const CredentialHandOn &) = delete;
    CredentialHandOn &operator=(const CredentialHandOn &) = delete;

private:
    void open(QProcess &process, const CredentialHandover &handover);

    int m_readEnd = -1;
};

} // namespace platform

// Whether a server answers on the SMB port, within a bounded time, before any
// Samba library is asked to connect to it: a machine that is down or behind a
// filter then costs a few seconds, not the libraries' own minutes.
#pragma once

#include <string>

namespace platform::samba {

// The whole question (name resolution included) takes at most timeoutMs.
bool smbAnswers(const std::string &host, int timeoutMs);

// Whether the server answers an SMB2 negotiate on port 445, else on 139
// after a NetBIOS session request, within timeoutMs (name resolution
// included). Nothing is authenticated.
bool smbNegotiates(const std::string &host, int timeoutMs);

// Name resolution alone (hosts file, DNS), within timeoutMs.
bool resolves(const std::string &host, int timeoutMs);

} // namespace platform::samba

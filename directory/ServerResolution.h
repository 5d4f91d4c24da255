// Which server a directory operation talks to, from what the operator typed: a
// domain (its primary domain controller), a server ("\\NAME") or nothing (this
// machine).
#pragma once

#include <QString>
#include <string>

// The primary domain controller of domainName, as the service names it (with
// its leading "\\"), asked of serverName (empty: this machine). Empty when it
// cannot be found. Leaves the service's status in LastNetStatus.
QString Get_DCName(const QString &domainName, const QString &serverName);

// Sets `resolved` to the server of the operation's calls: a server text that
// begins with "\\" as it stands, a domain's controller, or "" for this machine.
// False when the domain's controller cannot be found: the operation must then
// return -9 without any further call.
bool Resolve_Server(const QString &server, std::string &resolved);

// Where the Samba back end takes its configuration and its credentials from:
// the client smb.conf named by VARNEL_SMB_CONF (else /etc/samba/smb.conf),
// the authentication file named by VARNEL_AUTHFILE (smbclient's -A format),
// else the Kerberos ticket cache (KRB5CCNAME or the default one). Nothing is
// read from or written to /etc besides that default smb.conf.
#pragma once

#include "platform/netapi/Statuses.h"

#include <string>

namespace platform::samba {

struct ClientConfig {
    std::string path;
    std::string workgroup;   // the workstation's domain
    std::string realm;
    std::string netbiosName; // this host's name (else the host name)
    std::string passwordServer;
};

// Who the program is on the wire.
struct Login {
    std::string user;
    std::string domain;      // NetBIOS domain of the account
    std::string password;    // empty with Kerberos
    bool kerberos = false;
    std::string ccache;      // KRB5CCNAME, or empty for the default cache
};

struct Settings {
    ClientConfig config;
    Login login;
};

// Reads both; status 31 for a missing or unreadable smb.conf, 1326 when no
// credentials can be had. `problem` says what to check. Credentials handed
// over in memory (`given`, a proxy logon's) win over the file and the ticket.
NetStatus loadSettings(Settings &settings, std::string &problem, const Login *given = nullptr);

// A name and password typed by the operator: DOMAIN\user and user@realm are
// split as in an authentication file; an empty domain is `defaultDomain`.
Login passwordLogin(const std::string &domain, const std::string &user,
                    const std::string &password, const std::string &defaultDomain);

// The "key = value" settings of [global] (keys compared without case and
// blanks, as Samba does).
bool readClientConfig(const std::string &path, ClientConfig &config);
// Parses an authentication file: "username = ", "password = ", "domain = ";
// a user given as DOMAIN\user, DOMAIN/user or user@realm is split.
bool readAuthFile(const std::string &path, const std::string &defaultDomain, Login &login);

} // namespace platform::samba

// The directory the network-management suite runs against, chosen by the
// environment: VARNEL_TEST_TARGET=embedded (the default) or another back end
// that extends makeNetapiTarget(). A target names the domain and controller
// the tests work in and says which cases it can express; the others are
// recorded as not applicable, with the reason.
#pragma once

#include "platform/NetworkManagement.h"

#include <memory>
#include <string>

namespace netapi_tests {

// What some cases need beyond a primary controller with users and groups.
enum class Need {
    Trusts,            // a trusted domain with a user to make a DOMAIN\name member
    BackupControllers, // a backup controller of the domain
    SeveralDomains,    // more than one domain in the domain enumeration
    LocalMachine,      // the "" server is a machine of the model
    KnownOrder,        // display listings sorted by upper-cased name
    ByteRule,          // listings cut by the preferred maximum length
    PasswordPolicy,    // the test can set the domain's password policy
    SqlServers,        // a machine with SV_TYPE_SQLSERVER
    MemberShares,      // a member server offering shares
    FreshDirectory,    // the test can start from a directory file that does not exist
};

class NetapiTarget {
public:
    virtual ~NetapiTarget() = default;
    virtual std::string name() const = 0;
    virtual platform::NetworkManagement &net() = 0;
    // The domain the cases work in, and its primary controller as "\\NAME".
    virtual std::string domain() const = 0;
    virtual std::string controller() const = 0;
    // Empty when the target can express what the case needs; else why not.
    virtual std::string notApplicable(Need need) const = 0;

    virtual std::string backupController() const { return {}; }
    virtual std::string trustedDomain() const { return {}; }
    virtual std::string trustedDomainUser() const { return {}; }
    virtual std::string memberServer() const { return {}; }
    virtual std::string sqlServer() const { return {}; }
    // Sets the domain's password policy (0, false: none).
    virtual bool setPasswordPolicy(int minLength, bool complexity) = 0;
    // Makes the domain hold at least `count` users, adding as few as needed.
    virtual bool ensureUsers(int count) = 0;
    // Opens `processes` copies of the back end at once on a file that does
    // not exist yet; returns how many of them seeded it (-1 on failure).
    virtual int firstRunSeeders(int processes) = 0;
};

// The target VARNEL_TEST_TARGET names; null with `error` set when it cannot
// be made.
std::unique_ptr<NetapiTarget> makeNetapiTarget(std::string &error);

// Child-process entry of the suite: when argv asks for it, does the child's
// work and returns its exit code; else returns -1.
int runTargetHelper(int argc, char **argv);

} // namespace netapi_tests

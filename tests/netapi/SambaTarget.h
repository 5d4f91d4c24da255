// A live Samba AD domain controller as a test target (VARNEL_TEST_TARGET=samba),
// the one scripts/samba-dc.sh starts on its own test host. The back end finds
// it as any workstation would, through VARNEL_SMB_CONF and VARNEL_AUTHFILE;
// the cases learn its domain and name from VARNEL_DC_DOMAIN and VARNEL_DC_NAME,
// and VARNEL_DC_DIR and VARNEL_DC_SCRIPT let them change its password policy.
// A second, trusting domain's facts come in VARNEL_DC2_* and
// VARNEL_DC_SHARED_USER.
#pragma once

#include "tests/netapi/NetapiTarget.h"

#include "platform/netapi/samba/SambaNetworkManagement.h"

#include <memory>

namespace netapi_tests {

class SambaTarget : public NetapiTarget {
public:
    SambaTarget();
    bool isReady(std::string &error);

    std::string name() const override { return "samba"; }
    platform::NetworkManagement &net() override { return *m_net; }
    std::string domain() const override { return m_domain; }
    std::string controller() const override { return "\\\\" + m_dcName; }
    std::string notApplicable(Need need) const override;
    // The second domain of a test network started with --trust, and the user
    // both domains hold.
    std::string trustedDomain() const override { return m_trustedDomain; }
    std::string trustedDomainUser() const override { return m_sharedUser; }
    bool setPasswordPolicy(int minLength, bool complexity) override;
    bool ensureUsers(int count) override;
    int firstRunSeeders(int) override { return -1; }

private:
    std::unique_ptr<platform::samba::SambaNetworkManagement> m_net;
    std::string m_domain;
    std::string m_dcName;
    std::string m_trustedDomain;
    std::string m_sharedUser;
};

// Runs samba-tool on the test DC's own database (on the DC's host); true when
// it succeeded, its standard output in `output` when given. Used for what the
// network-management calls cannot change, and to read the DC's own view.
bool runOnTestDc(const std::vector<std::string> &sambaToolArguments,
                 std::string *output = nullptr);
// The same on the second domain's DC (a network started with --trust).
bool runOnTrustedDc(const std::vector<std::string> &sambaToolArguments,
                    std::string *output = nullptr);

} // namespace netapi_tests

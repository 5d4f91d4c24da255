// The embedded directory as a test target: a new file in a private folder
// (VARNEL_EMBEDDED_DB points there, never at the user's own file), seeded
// with the standard network, whose head-office domain the cases use.
#pragma once

#include "tests/netapi/NetapiTarget.h"

#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include <QTemporaryDir>

#include <memory>

namespace netapi_tests {

class EmbeddedTarget : public NetapiTarget {
public:
    EmbeddedTarget();
    bool isReady(std::string &error) const;

    std::string name() const override { return "embedded"; }
    platform::NetworkManagement &net() override { return *m_net; }
    std::string domain() const override { return "HEADOFFICE"; }
    std::string controller() const override { return "\\\\HQDC01"; }
    std::string notApplicable(Need) const override { return {}; }
    std::string backupController() const override { return "\\\\HQDC02"; }
    std::string trustedDomain() const override { return "SALES"; }
    std::string trustedDomainUser() const override { return "jgarcia"; }
    std::string memberServer() const override { return "\\\\HQFS01"; }
    std::string sqlServer() const override { return "HQSQL01"; }
    bool setPasswordPolicy(int minLength, bool complexity) override;
    bool ensureUsers(int count) override;
    int firstRunSeeders(int processes) override;

    platform::embedded::EmbeddedFixture &fixture() { return *m_fixture; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::embedded::EmbeddedNetworkManagement> m_net;
    std::unique_ptr<platform::embedded::EmbeddedFixture> m_fixture;
};

inline constexpr char EmbeddedOpenHelperSwitch[] = "--netapi-open-embedded";

// The child process of firstRunSeeders: opens the file and prints "seeded"
// or "opened".
int runEmbeddedOpenHelper(const std::string &path);

} // namespace netapi_tests

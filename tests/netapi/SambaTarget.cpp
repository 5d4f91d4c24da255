#include "tests/netapi/SambaTarget.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace netapi_tests {

namespace {

std::string environment(const char *name)
{
    return qEnvironmentVariable(name).toStdString();
}

int countUsers(platform::NetworkManagement &net, const std::string &server)
{
    int users = 0;
    uint32_t index = 0;
    platform::NetStatus status = platform::status::MoreData;
    while (status == platform::status::MoreData) {
        std::vector<platform::NetDisplayRecord> records;
        uint32_t returned = 0;
        status = net.NetQueryDisplayInformation(server, 1, index, 1000,
                                                platform::MaxPreferredLength, returned, records);
        if (status != platform::status::Success && status != platform::status::MoreData)
            return -1;
        users += int(records.size());
        if (!records.empty())
            index = records.back().nextIndex;
    }
    return users;
}

// Runs samba-tool on one DC's host ("dc" or "dc2") against its database.
bool runSambaTool(const QString &host, const std::vector<std::string> &sambaToolArguments,
                  std::string *output)
{
    const QString dir = qEnvironmentVariable("VARNEL_DC_DIR");
    const QString script = qEnvironmentVariable("VARNEL_DC_SCRIPT");
    if (dir.isEmpty() || script.isEmpty())
        return false;
    QStringList arguments{script, host, dir, QStringLiteral("--"), QStringLiteral("samba-tool")};
    for (const std::string &argument : sambaToolArguments)
        arguments << QString::fromStdString(argument);
    arguments << QStringLiteral("-H") << dir + u'/' + host + QStringLiteral("/private/sam.ldb");
    QProcess tool;
    tool.start(QStringLiteral("bash"), arguments);
    if (!tool.waitForFinished(120000) || tool.exitCode() != 0) {
        std::fprintf(stderr, "samba-tool failed: %s\n", tool.readAllStandardError().constData());
        return false;
    }
    if (output)
        *output = tool.readAllStandardOutput().toStdString();
    return true;
}

} // namespace

bool runOnTestDc(const std::vector<std::string> &sambaToolArguments, std::string *output)
{
    return runSambaTool(QStringLiteral("dc"), sambaToolArguments, output);
}

bool runOnTrustedDc(const std::vector<std::string> &sambaToolArguments, std::string *output)
{
    return runSambaTool(QStringLiteral("dc2"), sambaToolArguments, output);
}

SambaTarget::SambaTarget()
    : m_net(std::make_unique<platform::samba::SambaNetworkManagement>()),
      m_domain(environment("VARNEL_DC_DOMAIN")),
      m_dcName(environment("VARNEL_DC_NAME")),
      m_trustedDomain(environment("VARNEL_DC2_DOMAIN")),
      m_sharedUser(environment("VARNEL_DC_SHARED_USER"))
{
}

bool SambaTarget::isReady(std::string &error)
{
    if (m_domain.empty() || m_dcName.empty()) {
        error = "VARNEL_DC_DOMAIN and VARNEL_DC_NAME name no test DC (run the suite through "
                "scripts/samba-dc.sh exec)";
        return false;
    }
    if (const platform::NetStatus status = m_net->initialise()) {
        error = "the Samba back end does not start (" + std::to_string(status)
            + "): " + m_net->problem();
        return false;
    }
    return true;
}

std::string SambaTarget::notApplicable(Need need) const
{
    switch (need) {
    case Need::Trusts:
    case Need::SeveralDomains:
        if (m_trustedDomain.empty())
            return "the test DC's domain has no trust to another domain (started without "
                   "--trust)";
        break;
    case Need::BackupControllers:
        return "the test domain has a single controller";
    case Need::SqlServers:
        return "no browser service to announce SQL servers: samba-libnetapi.md §4, "
               "\"NetServerEnum - no equivalent\"";
    case Need::MemberShares:
        return "a Samba DC offers no ADMIN$ share: samba-libnetapi.md §4, \"NetShareEnum "
               "level 1: print$, sysvol, netlogon (type 0), IPC$\"";
    case Need::LocalMachine:
        return "the tests' host runs no SMB server of its own, so the empty server answers "
               "53 (docs/samba.md)";
    case Need::FreshDirectory:
        return "a domain controller's database is not a file the program creates";
    case Need::KnownOrder:
    case Need::ByteRule:
    case Need::PasswordPolicy:
        break;
    }
    return {};
}

bool SambaTarget::setPasswordPolicy(int minLength, bool complexity)
{
    return runOnTestDc({"domain", "passwordsettings", "set",
                        complexity ? "--complexity=on" : "--complexity=off",
                        "--min-pwd-length=" + std::to_string(minLength)});
}

bool SambaTarget::ensureUsers(int count)
{
    int users = countUsers(*m_net, controller());
    for (int i = 0; users >= 0 && users < count; ++i) {
        platform::UserInfo3 info;
        info.name = "vntbulk" + std::to_string(i);
        info.password = "Varnel#Bulk42";
        const platform::NetStatus status = m_net->NetUserAdd(controller(), 3, info, nullptr);
        if (status == platform::status::Success)
            ++users;
        else if (status != platform::status::UserExists)
            return false;
    }
    return users >= count;
}

} // namespace netapi_tests

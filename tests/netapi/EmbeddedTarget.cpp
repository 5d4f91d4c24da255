#include "tests/netapi/EmbeddedTarget.h"

#include "platform/netapi/embedded/Store.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace netapi_tests {

namespace {

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

} // namespace

EmbeddedTarget::EmbeddedTarget()
{
    qputenv("VARNEL_EMBEDDED_DB", m_dir.filePath("directory.sqlite").toUtf8());
    m_net = std::make_unique<platform::embedded::EmbeddedNetworkManagement>(
        platform::embedded::defaultDatabasePath());
    m_fixture = std::make_unique<platform::embedded::EmbeddedFixture>(*m_net);
}

bool EmbeddedTarget::isReady(std::string &error) const
{
    if (!m_dir.isValid()) {
        error = "no temporary folder";
        return false;
    }
    error = m_net->openError();
    return m_net->isOpen();
}

bool EmbeddedTarget::setPasswordPolicy(int minLength, bool complexity)
{
    return m_fixture->setPasswordPolicy(domain(), minLength, complexity)
        == platform::status::Success;
}

bool EmbeddedTarget::ensureUsers(int count)
{
    const int present = countUsers(*m_net, controller());
    if (present < 0)
        return false;
    int added = 0;
    return present >= count
        || m_fixture->seedUsers(domain(), count - present, "vntbulk", added)
        == platform::status::Success;
}

int EmbeddedTarget::firstRunSeeders(int processes)
{
    const QString path = m_dir.filePath("first-run.sqlite");
    std::vector<std::unique_ptr<QProcess>> children;
    for (int i = 0; i < processes; ++i) {
        auto child = std::make_unique<QProcess>();
        child->start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(EmbeddedOpenHelperSwitch), path});
        children.push_back(std::move(child));
    }
    int seeders = 0;
    for (auto &child : children) {
        if (!child->waitForFinished(120000) || child->exitCode() != 0)
            return -1;
        const QByteArray said = child->readAllStandardOutput().trimmed();
        if (said == "seeded")
            ++seeders;
        else if (said != "opened")
            return -1;
    }
    return seeders;
}

int runEmbeddedOpenHelper(const std::string &path)
{
    platform::embedded::EmbeddedNetworkManagement net(path);
    if (!net.isOpen()) {
        std::fprintf(stderr, "%s\n", net.openError().c_str());
        return 1;
    }
    std::printf("%s\n", net.store().seededHere() ? "seeded" : "opened");
    return 0;
}

} // namespace netapi_tests

// varnel-seed: adds bulk users to a domain of the embedded directory, for
// benchmarks and demonstrations.
//
//   varnel-seed --domain SALES --users 10000 [--prefix user]
//
// The users are named prefix + a seven-digit number (user0000001, ...),
// skipping names already taken; they join Domain Users and have the seed
// password of the embedded directory. The file is the one the program uses:
// VARNEL_EMBEDDED_DB, else $XDG_DATA_HOME/varnel/directory.sqlite (created
// with its seeded network when it does not exist yet).
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"
#include "platform/netapi/embedded/Store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int BadArguments = 2;

struct SeedRequest {
    QString domain;
    int users = 0;
    QString prefix;
};

bool parse(const QCoreApplication &app, SeedRequest &request)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Adds bulk users to a domain of Varnel's embedded directory."));
    parser.addHelpOption();
    const QCommandLineOption domain(QStringLiteral("domain"),
                                    QStringLiteral("The domain to add users to."),
                                    QStringLiteral("name"));
    const QCommandLineOption users(QStringLiteral("users"),
                                   QStringLiteral("How many users to add."),
                                   QStringLiteral("count"));
    const QCommandLineOption prefix(QStringLiteral("prefix"),
                                    QStringLiteral("The names' prefix (default \"user\")."),
                                    QStringLiteral("text"), QStringLiteral("user"));
    parser.addOptions({domain, users, prefix});
    parser.process(app);
    bool isNumber = false;
    request.domain = parser.value(domain);
    request.users = parser.value(users).toInt(&isNumber);
    request.prefix = parser.value(prefix);
    if (request.domain.isEmpty() || !isNumber || request.users < 1) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(parser.helpText()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SeedRequest request;
    if (!parse(app, request))
        return BadArguments;

    const std::string path = platform::embedded::defaultDatabasePath();
    platform::embedded::EmbeddedNetworkManagement net(path);
    if (!net.isOpen()) {
        std::fprintf(stderr, "varnel-seed: %s: %s\n", path.c_str(), net.openError().c_str());
        return Failed;
    }
    platform::embedded::EmbeddedFixture fixture(net);
    QElapsedTimer timer;
    timer.start();
    int added = 0;
    const platform::NetStatus status = fixture.seedUsers(
        request.domain.toStdString(), request.users, request.prefix.toStdString(), added);
    if (status != platform::status::Success) {
        std::fprintf(stderr, "varnel-seed: status %d seeding %s (no users added)\n", status,
                     qUtf8Printable(request.domain));
        return Failed;
    }
    std::printf("Added %d users to %s in %.2f s (%s)\n", added, qUtf8Printable(request.domain),
                timer.elapsed() / 1000.0, path.c_str());
    return Done;
}

// bench_directory: how fast the directory layer runs on the embedded
// directory. Not a test: it prints its figures.
//
//   bench_directory [--keep]
//
// Works on a fresh file in a temporary folder (--keep leaves it there):
// adds 10,000 users one by one through the command dispatcher, fills the
// domain up to 100,000 users with the bulk seeding call, then lists them
// through Enum_Accounts and runs prefix searches over them. Goal: the
// listing of 100,000 users in under a second.
#include "app/AppContext.h"
#include "directory/AccountEnumeration.h"
#include "directory/CommandDispatcher.h"
#include "platform/Platform.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString Domain = QStringLiteral("HEADOFFICE");
constexpr int UsersAdded = 10000;
constexpr int UsersListed = 100000;

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

void report(const char *what, double elapsed, const QString &detail)
{
    std::printf("%-46s %9.3f s   %s\n", what, elapsed, qUtf8Printable(detail));
}

bool addUsers()
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= UsersAdded; ++i) {
        QString name = QStringLiteral("add%1").arg(i, 5, 10, QChar(u'0'));
        const int32_t result = Execute_Command(
            QStringLiteral("NT Add User Account.02"), name, Domain,
            {QStringLiteral("Bench User"), QStringLiteral("Bench#Pass1"), QString(),
             QStringLiteral("benchmark"), QString(), false});
        if (result != 0) {
            std::fprintf(stderr, "adding %s failed: %d\n", qUtf8Printable(name), result);
            return false;
        }
    }
    const double elapsed = seconds(timer);
    report("adding 10,000 users (NT Add User Account.02)", elapsed,
           QStringLiteral("%1 users/s").arg(UsersAdded / elapsed, 0, 'f', 0));
    return true;
}

int32_t listUsers(QStringList &names)
{
    names.clear();
    QString noPrefix;
    return Enum_Accounts(Domain, 0, names, false, noPrefix);
}

bool fillUp(platform::embedded::EmbeddedFixture &fixture)
{
    QStringList names;
    const int present = listUsers(names);
    QElapsedTimer timer;
    timer.start();
    int added = 0;
    const int missing = UsersListed - present;
    if (fixture.seedUsers(Domain.toStdString(), missing, "bench", added) != 0)
        return false;
    report("seeding the rest in one transaction", seconds(timer),
           QStringLiteral("%1 users").arg(added));
    return true;
}

QStringList listAll()
{
    QStringList names;
    QElapsedTimer timer;
    timer.start();
    const int32_t count = listUsers(names);
    report("listing 100,000 users (Enum_Accounts, kind 0)", seconds(timer),
           QStringLiteral("%1 names, %2 calls of at most 100").arg(count).arg((count + 99) / 100));
    return names;
}

void prefixSearch(const char *what, const QString &prefix)
{
    QStringList names;
    QString search = prefix;
    QElapsedTimer timer;
    timer.start();
    const int32_t count = Enum_Accounts(Domain, 0, names, false, search);
    report(what, seconds(timer),
           search == PrefixFoundMarker
               ? QStringLiteral("found %1 (%2)").arg(names.value(0), prefix)
               : QStringLiteral("no match: %1 names listed").arg(count));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    folder.setAutoRemove(!app.arguments().contains(QStringLiteral("--keep")));
    const std::string path = (folder.path() + QStringLiteral("/bench.sqlite")).toStdString();
    platform::embedded::EmbeddedNetworkManagement net(path);
    if (!net.isOpen()) {
        std::fprintf(stderr, "bench_directory: %s\n", net.openError().c_str());
        return 1;
    }
    platform::Families families;
    families.net = &net;
    platform::install(families);
    platform::embedded::EmbeddedFixture fixture(net);

    std::printf("Directory file: %s\n", path.c_str());
    if (!addUsers() || !fillUp(fixture))
        return 1;
    listAll();
    const QStringList names = listAll();
    if (names.size() < UsersListed)
        return 1;
    prefixSearch("prefix search, the first name", names.first());
    prefixSearch("prefix search, the middle name", names.at(names.size() / 2));
    prefixSearch("prefix search, the last name", names.last());
    prefixSearch("prefix search without a match (\"zzz\")", QStringLiteral("zzz"));
    return 0;
}

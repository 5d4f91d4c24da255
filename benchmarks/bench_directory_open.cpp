// The start-up cost of opening the embedded directory file, its check
// included (see platform/netapi/embedded/FileCheck.h), on the seeded file and
// on one with 100,000 more users: median of several opens, and the share of
// PRAGMA quick_check alone.
#include "platform/netapi/embedded/Database.h"
#include "platform/netapi/embedded/EmbeddedFixture.h"
#include "platform/netapi/embedded/EmbeddedNetworkManagement.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace platform::embedded;

namespace {

double medianMs(const std::function<void()> &work)
{
    std::vector<double> runs;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void report(const char *label, const std::string &path)
{
    const double open = medianMs([&] { EmbeddedNetworkManagement net(path); });
    Database db;
    std::string error;
    db.open(path, error);
    const double check = medianMs([&] { db.exec("PRAGMA quick_check"); });
    std::printf("%-22s open %7.2f ms, of which quick_check %7.2f ms\n", label, open, check);
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("directory.sqlite").toStdString();
    {
        EmbeddedNetworkManagement seeded(path);
    }
    report("seeded directory", path);
    {
        EmbeddedNetworkManagement net(path);
        EmbeddedFixture fixture(net);
        int added = 0;
        fixture.seedUsers("HEADOFFICE", 100000, "bulk", added);
    }
    report("+100,000 users", path);
    return 0;
}

// Measures the Samba back end against a live DC: the first call's cost (DC
// location, connection, authentication, SAM domains, the read itself), then
// NetUserGetInfo level 3 per call on a warm connection, then a whole display
// listing in process. scripts/samba-benchmark.sh runs it beside `net rpc user`.
//   varnel-samba-benchmark DOMAIN USER [CALLS]
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int listUsers(platform::NetworkManagement &net, const std::string &dc)
{
    int users = 0;
    uint32_t index = 0;
    platform::NetStatus status = platform::status::MoreData;
    while (status == platform::status::MoreData) {
        std::vector<platform::NetDisplayRecord> records;
        uint32_t returned = 0;
        status = net.NetQueryDisplayInformation(dc, 1, index, 1000, 128000, returned, records);
        users += int(records.size());
        if (!records.empty())
            index = records.back().nextIndex;
    }
    return status == platform::status::Success ? users : -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DOMAIN USER [CALLS]\n", argv[0]);
        return 2;
    }
    const std::string domain = argv[1];
    const std::string user = argv[2];
    const int calls = argc > 3 ? std::atoi(argv[3]) : 200;
    platform::samba::SambaNetworkManagement net;
    Clock::time_point start = Clock::now();
    if (const platform::NetStatus status = net.initialise()) {
        std::fprintf(stderr, "initialise: %d %s\n", status, net.problem().c_str());
        return 1;
    }
    std::string dc;
    platform::UserInfo3 info;
    if (net.NetGetDCName("", domain, dc) != 0) {
        std::fprintf(stderr, "no controller for %s\n", domain.c_str());
        return 1;
    }
    const double located = millisecondsSince(start);
    if (net.NetUserGetInfo(dc, user, 3, info) != 0) {
        std::fprintf(stderr, "no user %s\n", user.c_str());
        return 1;
    }
    std::printf("first call: %.1f ms (locating the DC %.1f ms; connecting, authenticating, "
                "opening the SAM and reading %.1f ms)\n",
                millisecondsSince(start), located, millisecondsSince(start) - located);
    start = Clock::now();
    for (int i = 0; i < calls; ++i) {
        if (net.NetUserGetInfo(dc, user, 3, info) != 0)
            return 1;
    }
    std::printf("NetUserGetInfo level 3, warm: %.2f ms per call (%d calls)\n",
                millisecondsSince(start) / calls, calls);
    start = Clock::now();
    const int users = listUsers(net, dc);
    std::printf("display listing of %d users in process: %.1f ms\n", users,
                millisecondsSince(start));
    return users < 0 ? 1 : 0;
}

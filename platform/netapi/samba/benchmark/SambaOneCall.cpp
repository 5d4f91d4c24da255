// One call of the Samba back end as a whole process, the way the windows make
// it: locate the domain's controller, then ask it once. The latency benchmark
// times this beside `net rpc user` and `samba-tool`, so that every connection,
// authentication and round trip the back end needs is in the figure.
//   varnel-samba-call info|add|delete DOMAIN NAME
// info reads NetUserGetInfo level 3, add creates the user with NetUserAdd
// level 1 (a random password made here, never on a command line), delete
// removes it again. Exit status 0 on success, else 1 with the status printed.
#include "platform/netapi/samba/SambaNetworkManagement.h"

#include <cstdio>
#include <random>
#include <string>

namespace {

std::string randomPassword()
{
    static const char letters[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    std::random_device random;
    std::string password = "Vb1!";
    for (int i = 0; i < 16; ++i)
        password += letters[random() % (sizeof letters - 1)];
    return password;
}

platform::NetStatus call(platform::NetworkManagement &net, const std::string &operation,
                         const std::string &dc, const std::string &name)
{
    platform::UserInfo3 info;
    if (operation == "info")
        return net.NetUserGetInfo(dc, name, 3, info);
    if (operation == "delete")
        return net.NetUserDel(dc, name);
    info.name = name;
    info.password = randomPassword();
    return net.NetUserAdd(dc, 1, info, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string operation = argc == 4 ? argv[1] : "";
    if (operation != "info" && operation != "add" && operation != "delete") {
        std::fprintf(stderr, "usage: %s info|add|delete DOMAIN NAME\n", argv[0]);
        return 2;
    }
    platform::samba::SambaNetworkManagement net;
    if (const platform::NetStatus status = net.initialise()) {
        std::fprintf(stderr, "initialise: %d %s\n", status, net.problem().c_str());
        return 1;
    }
    std::string dc;
    if (const platform::NetStatus status = net.NetGetDCName("", argv[2], dc)) {
        std::fprintf(stderr, "no controller for %s: %d\n", argv[2], status);
        return 1;
    }
    if (const platform::NetStatus status = call(net, operation, dc, argv[3])) {
        std::fprintf(stderr, "%s %s: %d\n", operation.c_str(), argv[3], status);
        return 1;
    }
    return 0;
}

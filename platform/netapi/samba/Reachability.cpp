#include "platform/netapi/samba/Reachability.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::samba {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char *SmbPort = "445";

struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::vector<sockaddr_storage> addresses;
    std::vector<socklen_t> lengths;
};

// getaddrinfo has no time limit of its own, so it runs on a thread of its own
// that is left behind if it takes too long.
bool resolve(const std::string &host, Clock::time_point deadline, Lookup &out,
             std::shared_ptr<Lookup> &keep)
{
    keep = std::make_shared<Lookup>();
    std::thread([host, state = keep] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo *found = nullptr;
        std::vector<sockaddr_storage> addresses;
        std::vector<socklen_t> lengths;
        if (::getaddrinfo(host.c_str(), SmbPort, &hints, &found) == 0) {
            for (addrinfo *a = found; a; a = a->ai_next) {
                sockaddr_storage storage{};
                std::memcpy(&storage, a->ai_addr, a->ai_addrlen);
                addresses.push_back(storage);
                lengths.push_back(a->ai_addrlen);
            }
            ::freeaddrinfo(found);
        }
        std::lock_guard<std::mutex> lock(state->mutex);
        state->addresses = std::move(addresses);
        state->lengths = std::move(lengths);
        state->finished = true;
        state->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(keep->mutex);
    if (!keep->done.wait_until(lock, deadline, [&] { return keep->finished; }))
        return false;
    out.addresses = keep->addresses;
    out.lengths = keep->lengths;
    return !out.addresses.empty();
}

bool connects(const sockaddr_storage &address, socklen_t length, Clock::time_point deadline)
{
    const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0) {
        answered = true;
    } else if (errno == EINPROGRESS) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - Clock::now()).count();
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        answered = left > 0 && ::poll(&p, 1, int(left)) == 1
            && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    ::close(fd);
    return answered;
}

} // namespace

bool resolves(const std::string &host, int timeoutMs)
{
    Lookup lookup;
    std::shared_ptr<Lookup> keep;
    return resolve(host, Clock::now() + std::chrono::milliseconds(timeoutMs), lookup, keep);
}

bool smbAnswers(const std::string &host, int timeoutMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Lookup lookup;
    std::shared_ptr<Lookup> keep;
    if (!resolve(host, deadline, lookup, keep))
        return false;
    for (size_t i = 0; i < lookup.addresses.size(); ++i) {
        if (Clock::now() >= deadline)
            return false;
        if (connects(lookup.addresses[i], lookup.lengths[i], deadline))
            return true;
    }
    return false;
}

} // namespace platform::samba

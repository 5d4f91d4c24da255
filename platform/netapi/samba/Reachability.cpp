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
#include <algorithm>
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::samba {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

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

// A connected socket to the address and port within the deadline, or -1.
int connectedSocket(const sockaddr_storage &address, socklen_t length, uint16_t port,
                    Clock::time_point deadline)
{
    sockaddr_storage target = address;
    if (target.ss_family == AF_INET)
        reinterpret_cast<sockaddr_in &>(target).sin_port = htons(port);
    else if (target.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6 &>(target).sin6_port = htons(port);
    const int fd = ::socket(target.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&target), length) == 0) {
        answered = true;
    } else if (errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        answered = ::poll(&p, 1, millisecondsLeft(deadline)) == 1
            && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    if (!answered) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool connects(const sockaddr_storage &address, socklen_t length, Clock::time_point deadline)
{
    const int fd = connectedSocket(address, length, 445, deadline);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool sendAll(int fd, const std::vector<uint8_t> &bytes, Clock::time_point deadline)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, millisecondsLeft(deadline)) != 1)
            return false;
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}

// The first `count` bytes the peer sends, within the deadline.
bool receive(int fd, uint8_t *out, size_t count, Clock::time_point deadline)
{
    size_t got = 0;
    while (got < count) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, millisecondsLeft(deadline)) != 1)
            return false;
        const ssize_t n = ::recv(fd, out + got, count - got, 0);
        if (n <= 0)
            return false;
        got += size_t(n);
    }
    return true;
}

// An SMB2 NEGOTIATE request ([MS-SMB2] 2.2.3) for dialects 2.0.2 and 2.1, in
// its NetBIOS session frame ([MS-SMB2] 2.1): no credentials are involved.
std::vector<uint8_t> negotiateRequest()
{
    std::vector<uint8_t> smb(64 + 40, 0);
    const uint8_t protocol[] = {0xFE, 'S', 'M', 'B'};
    std::memcpy(smb.data(), protocol, 4);
    smb[4] = 64;      // header StructureSize
    smb[14] = 1;      // CreditRequest
    smb[64] = 36;     // NEGOTIATE StructureSize
    smb[66] = 2;      // DialectCount
    smb[68] = 1;      // SecurityMode: signing enabled
    smb[64 + 36] = 0x02;
    smb[64 + 37] = 0x02;
    smb[64 + 38] = 0x10;
    smb[64 + 39] = 0x02;
    std::vector<uint8_t> frame = {0, 0, 0, uint8_t(smb.size())};
    frame.insert(frame.end(), smb.begin(), smb.end());
    return frame;
}

// A NetBIOS session request to "*SMBSERVER" ([RFC 1002] 4.3.2): port 139
// speaks SMB only after the session service accepts one.
std::vector<uint8_t> sessionRequest()
{
    auto encoded = [](const char *name) {
        std::vector<uint8_t> out = {32};
        char padded[16];
        std::memset(padded, ' ', sizeof padded);
        std::memcpy(padded, name, std::min<size_t>(std::strlen(name), 15));
        padded[15] = 0x20;
        for (char c : padded) {
            out.push_back(uint8_t('A' + ((uint8_t(c) >> 4) & 0x0F)));
            out.push_back(uint8_t('A' + (uint8_t(c) & 0x0F)));
        }
        out.push_back(0);
        return out;
    };
    std::vector<uint8_t> body = encoded("*SMBSERVER");
    const std::vector<uint8_t> calling = encoded("VARNEL");
    body.insert(body.end(), calling.begin(), calling.end());
    std::vector<uint8_t> frame = {0x81, 0, 0, uint8_t(body.size())};
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

bool negotiates(int fd, Clock::time_point deadline)
{
    uint8_t reply[8] = {};
    return sendAll(fd, negotiateRequest(), deadline) && receive(fd, reply, 8, deadline)
        && reply[0] == 0 && (reply[4] == 0xFE || reply[4] == 0xFF) && reply[5] == 'S'
        && reply[6] == 'M' && reply[7] == 'B';
}

bool negotiatesAt(const sockaddr_storage &address, socklen_t length, uint16_t port,
                  Clock::time_point deadline)
{
    const int fd = connectedSocket(address, length, port, deadline);
    if (fd < 0)
        return false;
    bool answered = true;
    if (port == 139) {
        uint8_t reply[4] = {};
        answered = sendAll(fd, sessionRequest(), deadline) && receive(fd, reply, 4, deadline)
            && reply[0] == 0x82;
    }
    answered = answered && negotiates(fd, deadline);
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

bool smbNegotiates(const std::string &host, int timeoutMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Lookup lookup;
    std::shared_ptr<Lookup> keep;
    if (!resolve(host, deadline, lookup, keep))
        return false;
    for (uint16_t port : {uint16_t(445), uint16_t(139)}) {
        for (size_t i = 0; i < lookup.addresses.size(); ++i) {
            if (Clock::now() >= deadline)
                return false;
            if (negotiatesAt(lookup.addresses[i], lookup.lengths[i], port, deadline))
                return true;
        }
    }
    return false;
}

} // namespace platform::samba

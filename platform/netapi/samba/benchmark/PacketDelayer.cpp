// A userspace packet delayer for the latency benchmark: the kernel has no
// netem, so the router namespace of `samba-dc.sh start --router` sends every
// forwarded packet into a TUN device, and this program hands each one back
// DELAY_MS later, in order. A packet crosses the router once per direction,
// so a round trip costs twice the delay.
//
// It also counts what it carries, towards and from SERVER: packets, TCP
// connections, packets per service (so DC location over UDP 53/88/389 can be
// seen to pass here too), and request/response exchanges: per flow, every
// time the client sends payload after the server last did (a TCP SYN counts
// as one: the handshake is a round trip too). On SIGUSR1 the counts are
// written to STATS_FILE (through a rename, so a reader never sees half) and
// start again from zero; "flow" lines give the exchanges of each flow.
// SIGTERM or SIGINT ends it.
//   varnel-packet-delayer TUN_DEVICE DELAY_MS SERVER_ADDRESS STATS_FILE
#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

volatile std::sig_atomic_t g_dumpRequested = 0;
volatile std::sig_atomic_t g_stopRequested = 0;

void onSignal(int signal)
{
    if (signal == SIGUSR1)
        g_dumpRequested = 1;
    else
        g_stopRequested = 1;
}

int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct Packet {
    int64_t due;
    std::vector<uint8_t> bytes;
};

// What one IPv4 packet is, as far as the counts need to know.
struct Header {
    bool valid = false;
    bool toServer = false;
    uint8_t protocol = 0;
    uint16_t clientPort = 0;
    uint16_t serverPort = 0;
    bool syn = false;
    bool ack = false;
    bool payload = false;
};

Header parse(const std::vector<uint8_t> &p, uint32_t server)
{
    Header h;
    if (p.size() < 20 || (p[0] >> 4) != 4)
        return h;
    const size_t ipLength = size_t(p[0] & 0x0f) * 4;
    const size_t total = std::min<size_t>(p.size(), (size_t(p[2]) << 8) | p[3]);
    uint32_t source = 0, destination = 0;
    std::memcpy(&source, &p[12], 4);
    std::memcpy(&destination, &p[16], 4);
    if (ipLength < 20 || total < ipLength || (source != server && destination != server))
        return h;
    h.valid = true;
    h.toServer = destination == server;
    h.protocol = p[9];
    const uint8_t *l4 = &p[ipLength];
    const size_t l4Length = total - ipLength;
    if ((h.protocol == IPPROTO_TCP && l4Length >= 20) ||
        (h.protocol == IPPROTO_UDP && l4Length >= 8)) {
        const uint16_t source16 = uint16_t((l4[0] << 8) | l4[1]);
        const uint16_t destination16 = uint16_t((l4[2] << 8) | l4[3]);
        h.serverPort = h.toServer ? destination16 : source16;
        h.clientPort = h.toServer ? source16 : destination16;
    }
    if (h.protocol == IPPROTO_TCP && l4Length >= 20) {
        h.syn = l4[13] & 0x02;
        h.ack = l4[13] & 0x10;
        h.payload = l4Length > size_t(l4[12] >> 4) * 4;
    } else {
        h.payload = true; // a UDP datagram or an ICMP message is always a message
    }
    return h;
}

std::string serviceName(const Header &h)
{
    const char *protocol = h.protocol == IPPROTO_TCP   ? "tcp"
                           : h.protocol == IPPROTO_UDP ? "udp"
                           : h.protocol == IPPROTO_ICMP ? "icmp"
                                                         : "ip";
    if (h.protocol != IPPROTO_TCP && h.protocol != IPPROTO_UDP)
        return protocol;
    // The DC's RPC endpoint mapper hands out ports from 49152 up.
    if (h.serverPort >= 49152)
        return std::string(protocol) + "/rpc-endpoint";
    return std::string(protocol) + "/" + std::to_string(h.serverPort);
}

class Counts {
public:
    void add(const Header &h)
    {
        if (!h.valid) {
            ++m_values["packets-other"];
            return;
        }
        ++m_values[h.toServer ? "packets-to-server" : "packets-from-server"];
        if (h.toServer)
            ++m_values["service " + serviceName(h)];
        if (h.toServer && h.syn && !h.ack)
            ++m_values["tcp-connections"];
        const auto flow = std::make_tuple(h.protocol, h.clientPort, h.serverPort);
        if (!(h.payload || h.syn))
            return;
        auto [state, fresh] = m_serverSpokeLast.try_emplace(flow, true);
        if (fresh)
            m_flowNames[flow] = serviceName(h) + " from port " + std::to_string(h.clientPort);
        if (h.toServer && state->second) {
            ++m_values["exchanges"];
            ++m_values["flow " + m_flowNames[flow]];
        }
        state->second = !h.toServer;
    }

    bool writeTo(const std::string &path)
    {
        const std::string temporary = path + ".new";
        FILE *out = std::fopen(temporary.c_str(), "w");
        if (!out)
            return false;
        for (const auto &[name, value] : m_values)
            std::fprintf(out, "%s %lld\n", name.c_str(), value);
        const bool written = std::fclose(out) == 0;
        m_values.clear();
        m_serverSpokeLast.clear();
        m_flowNames.clear();
        return written && std::rename(temporary.c_str(), path.c_str()) == 0;
    }

private:
    std::map<std::string, long long> m_values;
    using Flow = std::tuple<uint8_t, uint16_t, uint16_t>;
    std::map<Flow, bool> m_serverSpokeLast;
    std::map<Flow, std::string> m_flowNames;
};

int openTun(const char *name)
{
    const int fd = open("/dev/net/tun", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    ifreq request{};
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    if (ioctl(fd, TUNSETIFF, &request) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Reads every packet waiting on the device and queues it for later.
void readWaiting(int fd, int64_t delayNs, uint32_t server, std::deque<Packet> &queue,
                 Counts &counts)
{
    std::vector<uint8_t> buffer(65536);
    for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n <= 0)
            return;
        Packet packet{nowNs() + delayNs, {buffer.begin(), buffer.begin() + n}};
        counts.add(parse(packet.bytes, server));
        queue.push_back(std::move(packet));
    }
}

void writeDue(int fd, std::deque<Packet> &queue)
{
    const int64_t now = nowNs();
    while (!queue.empty() && queue.front().due <= now) {
        // A packet the kernel refuses is lost, as on a real link.
        if (write(fd, queue.front().bytes.data(), queue.front().bytes.size()) < 0 &&
            errno == EAGAIN)
            return;
        queue.pop_front();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s TUN_DEVICE DELAY_MS SERVER_ADDRESS STATS_FILE\n",
                     argv[0]);
        return 2;
    }
    const int64_t delayNs = int64_t(std::atof(argv[2]) * 1e6);
    in_addr server{};
    if (inet_pton(AF_INET, argv[3], &server) != 1) {
        std::fprintf(stderr, "not an IPv4 address: %s\n", argv[3]);
        return 2;
    }
    const std::string statsFile = argv[4];
    const int fd = openTun(argv[1]);
    if (fd < 0) {
        std::fprintf(stderr, "cannot attach to %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    // The signals arrive only while waiting, so the handlers never cut into a
    // read, a write or the counts.
    sigset_t blocked, waiting;
    sigemptyset(&blocked);
    for (int signal : {SIGUSR1, SIGTERM, SIGINT}) {
        sigaddset(&blocked, signal);
        struct sigaction action{};
        action.sa_handler = onSignal;
        sigaction(signal, &action, nullptr);
    }
    sigprocmask(SIG_BLOCK, &blocked, &waiting);
    std::deque<Packet> queue;
    Counts counts;
    while (!g_stopRequested) {
        if (g_dumpRequested) {
            g_dumpRequested = 0;
            if (!counts.writeTo(statsFile))
                std::fprintf(stderr, "cannot write %s\n", statsFile.c_str());
        }
        timespec timeout{};
        timespec *wait = nullptr;
        if (!queue.empty()) {
            const int64_t left = std::max<int64_t>(0, queue.front().due - nowNs());
            timeout = {time_t(left / 1000000000), long(left % 1000000000)};
            wait = &timeout;
        }
        pollfd device{fd, POLLIN, 0};
        const int ready = ppoll(&device, 1, wait, &waiting);
        if (ready < 0 && errno != EINTR)
            return 1;
        if (ready > 0)
            readWaiting(fd, delayNs, server.s_addr, queue, counts);
        writeDue(fd, queue);
    }
    return 0;
}

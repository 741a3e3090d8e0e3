#include "vsim/VpcdClient.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {
constexpr uint8_t kPowerOff = 0, kPowerOn = 1, kReset = 2, kGetAtr = 4;

// Without these every APDU would wait for the delayed acknowledgement (~40 ms); the kernel
// turns quick acknowledgement off again on its own, so it is set after every receive.
void quickAck(int fd)
{
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    setsockopt(fd, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
}

bool readFully(int fd, uint8_t* p, size_t n)
{
    while (n > 0) {
        ssize_t got = ::recv(fd, p, n, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        quickAck(fd);  // vpcd sends the length and the payload apart: acknowledge each at once
        p += got;
        n -= static_cast<size_t>(got);
    }
    return true;
}

bool writeFully(int fd, const uint8_t* p, size_t n)
{
    while (n > 0) {
        ssize_t put = ::send(fd, p, n, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        p += put;
        n -= static_cast<size_t>(put);
    }
    return true;
}
}  // namespace

VpcdClient::VpcdClient(VirtualCard& card, CardFaults faults, uint32_t latencyMs)
    : card_(card, faults), latencyMs_(latencyMs)
{
}

int VpcdClient::connectTo(const std::string& host, uint16_t port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
    int fd = -1;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd >= 0 && ::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd >= 0) quickAck(fd);
    return fd;
}

bool VpcdClient::readMessage(int fd, std::vector<uint8_t>& payload)
{
    uint8_t head[2];
    if (!readFully(fd, head, 2)) return false;
    payload.resize(static_cast<size_t>(head[0] << 8 | head[1]));
    return payload.empty() || readFully(fd, payload.data(), payload.size());
}

bool VpcdClient::writeMessage(int fd, const std::vector<uint8_t>& payload)
{
    if (payload.size() > 0xFFFF) return false;
    std::vector<uint8_t> frame{static_cast<uint8_t>(payload.size() >> 8), static_cast<uint8_t>(payload.size())};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return writeFully(fd, frame.data(), frame.size());
}

bool VpcdClient::answer(const std::vector<uint8_t>& message, std::vector<uint8_t>& reply)
{
    if (message.size() == 1) {
        switch (message[0]) {
        case kPowerOn:
        case kReset: card_.card().insert(); return false;
        case kGetAtr: reply = card_.card().atr(); return true;
        case kPowerOff:
        default: return false;
        }
    }
    if (latencyMs_) std::this_thread::sleep_for(std::chrono::milliseconds(latencyMs_));
    reply = card_.transmit(message);
    return true;
}

VpcdClient::End VpcdClient::serve(int fd)
{
    std::vector<uint8_t> message, reply;
    while (!stop_) {
        pollfd p{fd, POLLIN, 0};
        int ready = ::poll(&p, 1, 200);
        if (ready < 0 && errno != EINTR) return End::Disconnected;
        if (ready <= 0) continue;
        if (!readMessage(fd, message)) return End::Disconnected;
        if (answer(message, reply) && !writeMessage(fd, reply)) return End::Disconnected;
        if (card_.pulled()) return End::Pulled;
    }
    return End::Stopped;
}

VpcdClient::End VpcdClient::run(const std::string& host, uint16_t port, uint32_t connectTimeoutMs)
{
    using Clock = std::chrono::steady_clock;
    while (!stop_) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(connectTimeoutMs);
        int fd = connectTo(host, port);
        while (fd < 0 && !stop_ && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            fd = connectTo(host, port);
        }
        if (fd < 0) return stop_ ? End::Stopped : End::ConnectFailed;
        End end = serve(fd);
        ::close(fd);
        if (end != End::Disconnected) return end;
    }
    return End::Stopped;
}

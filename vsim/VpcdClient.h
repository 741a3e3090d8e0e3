#pragma once
#include "vsim/FaultyCard.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// A card for pcsc-lite's virtual reader driver vsmartcard-vpcd. vpcd listens on a TCP port
// (35963 for "Virtual PCD 00 00"); while a client is connected the reader holds a card. Each
// message is a 2-byte big-endian length and a payload: a 1-byte payload is a control code
// (0 power off, 1 power on, 2 reset, 4 get ATR - answered with the ATR), a longer one a command
// APDU answered with the response APDU.
//
//   VirtualCard card(image);
//   VpcdClient client(card, faults);
//   client.run("127.0.0.1", 35963, 10000);   // until stopped, the card pulled or vpcd gone
class VpcdClient {
public:
    static constexpr uint16_t kDefaultPort = 35963;
    enum class End { Stopped, Pulled, Disconnected, ConnectFailed };

    VpcdClient(VirtualCard& card, CardFaults faults, uint32_t latencyMs = 0);

    // Connects (retrying for up to connectTimeoutMs) and serves; when vpcd goes away, connects
    // again within the same time limit. Returns why it ended.
    End run(const std::string& host, uint16_t port, uint32_t connectTimeoutMs);
    // Serves one connected socket until it closes, the card is pulled or stop() is called.
    End serve(int fd);
    // May be called from a signal handler or another thread.
    void stop() { stop_ = true; }

    // Opens a TCP connection; -1 when refused.
    static int connectTo(const std::string& host, uint16_t port);
    // One framed message; false on end of stream or error.
    static bool readMessage(int fd, std::vector<uint8_t>& payload);
    static bool writeMessage(int fd, const std::vector<uint8_t>& payload);

private:
    // Answers one message; false when nothing is to be sent back.
    bool answer(const std::vector<uint8_t>& message, std::vector<uint8_t>& reply);

    FaultyCard card_;
    uint32_t latencyMs_;
    std::atomic<bool> stop_{false};
};

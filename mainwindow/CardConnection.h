#pragma once
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

// Connection state shared by the poller thread and the window: the poller reads and writes
// only the atomics; everything else belongs to the window's thread.
struct CardConnection {
    std::atomic<bool> cardPresent{false};    // a card was seen in the reader
    std::atomic<bool> keepPolling{true};     // clear: the poller suspends itself after its poll
    std::atomic<bool> noticePending{false};  // a card notice is posted and not yet handled

    uint32_t context = 0;     // reader service context
    std::string readerName;   // fixed before the poller starts
    uint32_t card = 0;        // handle of the running card sequence
    // Tick of the last status pass that found no card; none before the first.
    std::optional<uint32_t> lastNoCardTime;
};

// How the window stops the poller for a card sequence and lets it go again.
class PollerControl {
public:
    virtual ~PollerControl() = default;
    // True once the poller sits suspended (it suspends itself while keep-polling is clear).
    virtual bool suspended() const = 0;
    virtual void resume() = 0;
    // Keep-polling was just cleared: the poller should notice it now rather than after its pause.
    virtual void nudge() {}
};

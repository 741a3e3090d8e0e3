#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// A view of one response as received: the data followed by SW1 SW2. Reads outside the
// received bytes give `missing` instead of touching the buffer behind them.
class SimResponse {
public:
    SimResponse(const uint8_t* bytes, size_t received) : bytes_(bytes, received) {}

    size_t received() const { return bytes_.size(); }
    // Every received byte, status words included.
    std::span<const uint8_t> bytes() const { return bytes_; }
    // The response data: the received bytes without the two trailing status bytes.
    std::span<const uint8_t> data() const { return bytes_.first(bytes_.size() >= 2 ? bytes_.size() - 2 : 0); }
    uint8_t at(size_t index, uint8_t missing = 0) const { return index < bytes_.size() ? bytes_[index] : missing; }

private:
    std::span<const uint8_t> bytes_;
};

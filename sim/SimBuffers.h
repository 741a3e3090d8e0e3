#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The two process-wide card buffers: every card operation receives its responses in the
// response buffer, and the record writers build the record to be written in the image buffer.
// Used from the user-interface thread only.
class SimBuffers {
public:
    static constexpr size_t kSize = 512;
    using Buffer = std::array<uint8_t, kSize>;

    static Buffer& response();
    static Buffer& image();
};

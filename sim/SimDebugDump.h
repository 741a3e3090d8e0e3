#pragma once
#include <cstdint>
#include <span>
#include <string>

// Dumps of card responses into the "Debug" folder of the data directory, written only while
// that folder exists. Failures are logged and otherwise ignored.
class SimDebugDump {
public:
    static std::string directory();
    static bool enabled();
    // Saves `bytes` as Debug/<name> and logs the path.
    static void save(const std::string& name, std::span<const uint8_t> bytes);
    // Two upper-case hexadecimal digits ("0A").
    static std::string hexByte(unsigned value);
};

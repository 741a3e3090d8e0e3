#pragma once
#include <cstdint>
#include <string>

// The ASPI device scan: the first direct-access device on the lowest adapter and target becomes
// the remembered ASPI address used by every legacy command.
class AspiScan {
public:
    static constexpr unsigned kInquiryLength = 36;

    // True when a device was found; its address is remembered.
    static bool run();
    static uint8_t adapter();
    static uint8_t target();
    // adapter * 16 + target
    static intptr_t address();
    static void forget();

    // Targets to probe on an adapter whose HA_Unique byte 3 is `uniqueByte3`: 8 or 16, else 8.
    static unsigned targetCount(uint8_t uniqueByte3);
    // An inquiry text field cut after its last character that is neither a blank nor NUL.
    static std::string field(const uint8_t* bytes, size_t size);

private:
    static bool adapterReady(uint8_t adapter, unsigned& targets);
    static bool isDiskOrCdRom(uint8_t adapter, uint8_t target);
    static bool isDirectAccess(uint8_t adapter, uint8_t target, uint8_t* reply);
};

#pragma once
#include <cstdint>

// Runs one command block on an ASPI address: 1 done, 0 failed. A failed command is sent once
// more, except when it ended in CHECK CONDITION with UNIT ATTENTION.
class AspiCommand {
public:
    static constexpr unsigned kWaitMs = 15000;

    // `direction` is SRB_DIR_IN or SRB_DIR_OUT; `buffer` holds `length` bytes.
    static uint32_t run(uint8_t adapter, uint8_t target, uint8_t direction, uint32_t length, uint8_t* buffer,
                        const uint8_t* cdb, uint8_t cdbLength);
    // Longest wait for one attempt (tests shorten it); 0 restores kWaitMs.
    static void setWaitMs(unsigned ms);

    struct Attempt;

private:
    static Attempt* prepare(uint8_t adapter, uint8_t target, uint8_t direction, uint32_t length, const uint8_t* buffer,
                            const uint8_t* cdb, uint8_t cdbLength);
    static bool execute(Attempt& attempt);
};

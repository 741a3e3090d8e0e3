#pragma once

// Platform generation that chooses the transport of every export. It is looked up at every call.
class Platform {
public:
    enum class Generation { Legacy = 0, NtClassic = 1, Nt6 = 2 };

    // The forced generation when one is set, else QUILLON_KETTER_GENERATION (0, 1, 2), else Nt6.
    static Generation current();
    // Forces a generation (tests); clearForced() returns to the environment rule.
    static void force(Generation generation);
    static void clearForced();
    // Reads "0", "1" or "2"; anything else gives Nt6.
    static Generation parse(const char* text);
};

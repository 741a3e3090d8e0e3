#pragma once
#include "ketter/AspiAbi.h"

#include <cstdint>
#include <string>
#include <vector>

// The ASPI manager library "WNASPI32" (libWNASPI32.so beside this library or on the loader's
// path): loading, entry points, the ASPI buffer, unloading.
class AspiManager {
public:
    static constexpr uint32_t kLoadFailed = 126;        // the library could not be loaded
    static constexpr uint32_t kEntryPointMissing = 1157; // an entry point the library needs is absent
    static constexpr unsigned kTimeoutHalfSeconds = 30;
    static constexpr uint32_t kVirtualBufferSize = 0x10000;

    // Loads and prepares the manager; 1 ready, 0 after the error box.
    static uint32_t init();
    // Releases the buffer, unloads the manager; non-zero when it was unloaded, else 0.
    static uint32_t term();

    static bool loaded();
    // GetASPI32SupportInfo of the loaded manager (0 when none is loaded).
    static uint32_t supportInfo();
    // SendASPI32Command of the loaded manager (SS_ERR when none is loaded).
    static uint32_t send(void* srb);

    // Text of the error box for a code and a status byte.
    static std::string errorText(uint32_t code, uint32_t status);
    // Files tried, in order, for the manager: libWNASPI32.so beside this library, then by name.
    static std::vector<std::string> candidates();
    // Loads this file instead (tests); "" returns to the candidates.
    static void setLibraryPath(const std::string& path);

    // The buffer held between init and term (tests).
    static const ASPI32BUFF& buffer();
    static bool bufferFromManager();

private:
    static bool load();
    static bool resolve();
    static void setTimeouts();
    static bool obtainBuffer();
    static void releaseBuffer();
    static uint32_t fail(uint32_t code, uint32_t status);
};

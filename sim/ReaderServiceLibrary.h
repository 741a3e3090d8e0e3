#pragma once
#include "sim/ReaderService.h"

#include <mutex>
#include <set>
#include <string>

// The reader service loaded from a shared library (libQVSIMSC.so). Each entry point is looked
// up by name on first use and cached; a missing one shows "QVSIMSC.DLL error." and the call
// returns a failure value (non-zero; the reader list comes back empty).
class ReaderServiceLibrary : public ReaderService {
public:
    ReaderServiceLibrary() = default;
    ~ReaderServiceLibrary() override;  // the library stays loaded for the life of the process
    ReaderServiceLibrary(const ReaderServiceLibrary&) = delete;
    ReaderServiceLibrary& operator=(const ReaderServiceLibrary&) = delete;

    // Loads the library; false with the loader's message in `error` when it cannot.
    bool load(const std::string& path, std::string& error);
    bool loaded() const { return handle_ != nullptr; }

    uint32_t initQVSC(void* notify, uint32_t index) override;
    uint32_t freeQVSC() override;
    uint32_t qvConnect(uint32_t context, const char* reader, uint32_t shareMode, uint32_t protocols,
                       uint32_t* card, uint32_t* activeProtocol) override;
    uint32_t qvDisconnect(uint32_t card, uint32_t disposition) override;
    char* qvGetReaderList(char* buffer) override;
    uint32_t qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength) override;

    // Value returned by a call whose entry point is missing.
    static constexpr uint32_t kMissingEntry = 0xFFFFFFFFu;

private:
    void* resolve(void*& cache, const char* name);

    void* handle_ = nullptr;
    void* init_ = nullptr;
    void* free_ = nullptr;
    void* connect_ = nullptr;
    void* disconnect_ = nullptr;
    void* readerList_ = nullptr;
    void* apdu_ = nullptr;
    std::set<std::string> reported_;  // missing entry points already reported
    std::mutex mutex_;
};

#pragma once
#include <string>

// The reader driver library, loaded at start-up only to ask whether the reader is attached.
// It is accepted only when all six reader entry points resolve; only FindDeviceEntry is called.
class KetterLibrary {
public:
    using FindDeviceEntryFn = char* (*)(const char* vendorId);

    enum class LoadResult { Loaded, AlreadyLoaded, NotLoadable, Incomplete };

    static constexpr const char* kEntryNames[6] = {"FindDeviceEntry", "OpenRV570X",   "SIM_InquiryFunctions",
                                                   "SIM_ReadData",    "SIM_WriteData", "GET_BLOCK_STATUS"};

    KetterLibrary() = default;
    ~KetterLibrary() { unload(); }
    KetterLibrary(const KetterLibrary&) = delete;
    KetterLibrary& operator=(const KetterLibrary&) = delete;

    // Loads `path` unless a library is loaded already; an incomplete library is freed again.
    LoadResult load(const std::string& path);
    // Frees the library and forgets its entry points.
    void unload();
    bool loaded() const { return module_ != nullptr; }
    // Why the last load failed ("" after a success).
    const std::string& error() const { return error_; }
    // True when the reader is attached; the path block it returns is released here.
    bool readerPresent() const;

private:
    void* module_ = nullptr;
    FindDeviceEntryFn findDeviceEntry_ = nullptr;
    std::string error_;
};

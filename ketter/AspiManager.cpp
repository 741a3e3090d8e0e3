#include "ketter/AspiManager.h"

#include "ketter/KetterOutput.h"

#include <dlfcn.h>
#include <sys/mman.h>

#include <cstdio>
#include <cstring>

namespace {

struct ManagerState {
    void* module = nullptr;
    GetASPI32SupportInfoFn getSupportInfo = nullptr;
    SendASPI32CommandFn sendCommand = nullptr;
    GetASPI32BufferFn getBuffer = nullptr;
    FreeASPI32BufferFn freeBuffer = nullptr;
    ASPI32BUFF buffer{};
    bool bufferFromManager = false;
};

ManagerState state;
std::string overridePath;

template <typename Fn>
Fn entry(const char* name)
{
    return reinterpret_cast<Fn>(::dlsym(state.module, name));
}

std::string ownDirectory()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&AspiManager::candidates), &info) || !info.dli_fname) return {};
    std::string path = info.dli_fname;
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::vector<std::string> AspiManager::candidates()
{
    if (!overridePath.empty()) return {overridePath};
    std::vector<std::string> files;
    std::string dir = ownDirectory();
    if (!dir.empty()) files.push_back(dir + "libWNASPI32.so");
    files.push_back("libWNASPI32.so");
    return files;
}

void AspiManager::setLibraryPath(const std::string& path) { overridePath = path; }
bool AspiManager::loaded() { return state.module != nullptr; }
const ASPI32BUFF& AspiManager::buffer() { return state.buffer; }
bool AspiManager::bufferFromManager() { return state.bufferFromManager; }

uint32_t AspiManager::supportInfo() { return state.getSupportInfo ? state.getSupportInfo() : 0; }
uint32_t AspiManager::send(void* srb) { return state.sendCommand ? state.sendCommand(srb) : SS_ERR; }

std::string AspiManager::errorText(uint32_t code, uint32_t status)
{
    if (code == kEntryPointMissing) return "This program requires ASPI for Win32 (i.e. WNASPI32.DLL) to run properly.";
    char text[96];
    std::snprintf(text, sizeof text, "Unable to initialize ASPI for Win32 (%lx/%lx).", static_cast<unsigned long>(code),
                  static_cast<unsigned long>(status));
    return text;
}

uint32_t AspiManager::fail(uint32_t code, uint32_t status)
{
    KetterOutput::errorBox("Sim Card R/W", errorText(code, status));
    return 0;
}

bool AspiManager::load()
{
    for (const auto& file : candidates()) {
        state.module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (state.module) return true;
    }
    return false;
}

bool AspiManager::resolve()
{
    state.getSupportInfo = entry<GetASPI32SupportInfoFn>("GetASPI32SupportInfo");
    state.sendCommand = entry<SendASPI32CommandFn>("SendASPI32Command");
    state.getBuffer = entry<GetASPI32BufferFn>("GetASPI32Buffer");
    state.freeBuffer = entry<FreeASPI32BufferFn>("FreeASPI32Buffer");
    return state.getSupportInfo && state.sendCommand;
}

void AspiManager::setTimeouts()
{
    SRB_GetSetTimeouts request{};
    request.SRB_Cmd = SC_GETSET_TIMEOUTS;
    request.SRB_HaId = 0xFF;
    request.SRB_Flags = SRB_DIR_OUT;
    request.SRB_Target = 0xFF;
    request.SRB_Lun = 0xFF;
    request.SRB_Timeout = kTimeoutHalfSeconds;
    send(&request);
}

bool AspiManager::obtainBuffer()
{
    if (state.getBuffer) {
        for (uint32_t size : {0x80000u, 0x40000u, 0x20000u}) {
            state.buffer = ASPI32BUFF{};
            state.buffer.AB_BufLen = size;
            if (state.getBuffer(&state.buffer) && state.buffer.AB_BufPointer) {
                state.bufferFromManager = true;
                return true;
            }
        }
    }
    state.buffer = ASPI32BUFF{};
    void* area = ::mmap(nullptr, kVirtualBufferSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) return false;
    state.buffer.AB_BufPointer = static_cast<uint8_t*>(area);
    state.buffer.AB_BufLen = kVirtualBufferSize;
    return true;
}

void AspiManager::releaseBuffer()
{
    if (!state.buffer.AB_BufPointer) return;
    if (state.bufferFromManager && state.freeBuffer)
        state.freeBuffer(&state.buffer);
    else if (!state.bufferFromManager)
        ::munmap(state.buffer.AB_BufPointer, state.buffer.AB_BufLen);
    state.buffer = ASPI32BUFF{};
    state.bufferFromManager = false;
}

uint32_t AspiManager::init()
{
    term();  // a second InitASPI starts afresh instead of leaking the first one's manager and buffer
    if (!load()) return fail(kLoadFailed, 1);
    if (!resolve()) return fail(kEntryPointMissing, 1);
    uint32_t status = (supportInfo() >> 8) & 0xFF;
    if (status != SS_COMP && status != SS_NO_ADAPTERS) return fail(0, status);
    setTimeouts();
    if (!obtainBuffer()) return fail(0, SS_INSUFFICIENT_RESOURCES);
    return 1;
}

uint32_t AspiManager::term()
{
    releaseBuffer();
    void* module = state.module;
    state = ManagerState{};
    if (!module) return 0;
    return ::dlclose(module) == 0 ? 1 : 0;
}

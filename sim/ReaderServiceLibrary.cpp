#include "sim/ReaderServiceLibrary.h"

#include "readersvc/qvsimsc.h"
#include "shell/Prompter.h"

#include <dlfcn.h>

ReaderServiceLibrary::~ReaderServiceLibrary() = default;

bool ReaderServiceLibrary::load(const std::string& path, std::string& error)
{
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* e = ::dlerror();
        error = e ? e : "unknown error";
        return false;
    }
    return true;
}

void* ReaderServiceLibrary::resolve(void*& cache, const char* name)
{
    void* found = nullptr;
    bool report = false;
    {
        std::lock_guard lock(mutex_);  // the poller thread resolves too
        if (!cache && handle_) cache = ::dlsym(handle_, name);
        found = cache;
        // Said once per missing entry point: the poller asks every two seconds.
        report = !found && reported_.insert(name).second;
    }
    if (report) Prompter::current().message(Prompter::Kind::Plain, "Warning", "QVSIMSC.DLL error.");
    return found;
}

uint32_t ReaderServiceLibrary::initQVSC(void* notify, uint32_t index)
{
    auto fn = reinterpret_cast<decltype(&InitQVSC)>(resolve(init_, "InitQVSC"));
    return fn ? fn(notify, index) : 0;
}

uint32_t ReaderServiceLibrary::freeQVSC()
{
    auto fn = reinterpret_cast<decltype(&FreeQVSC)>(resolve(free_, "FreeQVSC"));
    return fn ? fn() : kMissingEntry;
}

uint32_t ReaderServiceLibrary::qvConnect(uint32_t context, const char* reader, uint32_t shareMode,
                                         uint32_t protocols, uint32_t* card, uint32_t* activeProtocol)
{
    auto fn = reinterpret_cast<decltype(&QVConnect)>(resolve(connect_, "QVConnect"));
    return fn ? fn(context, reader, shareMode, protocols, card, activeProtocol) : kMissingEntry;
}

uint32_t ReaderServiceLibrary::qvDisconnect(uint32_t card, uint32_t disposition)
{
    auto fn = reinterpret_cast<decltype(&QVDisconnect)>(resolve(disconnect_, "QVDisconnect"));
    return fn ? fn(card, disposition) : kMissingEntry;
}

char* ReaderServiceLibrary::qvGetReaderList(char* buffer)
{
    auto fn = reinterpret_cast<decltype(&QVGetReaderList)>(resolve(readerList_, "QVGetReaderList"));
    if (!fn) {
        if (buffer) buffer[0] = '\0';
        return buffer;
    }
    return fn(buffer);
}

uint32_t ReaderServiceLibrary::qvDoApdu(const uint8_t* command, uint32_t length, uint8_t* response,
                                        uint32_t* responseLength)
{
    auto fn = reinterpret_cast<decltype(&QVSCDoAPDUCmd)>(resolve(apdu_, "QVSCDoAPDUCmd"));
    return fn ? fn(command, length, response, responseLength) : kMissingEntry;
}

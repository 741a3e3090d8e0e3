#include "shell/ThreadPacer.h"

#include <atomic>
#include <chrono>
#include <thread>

void ThreadPacer::sleep(unsigned milliseconds)
{
    if (pacing()) wait(milliseconds);
}

void ThreadPacer::wait(unsigned milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint32_t ThreadPacer::tickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {
std::atomic<Pacer*> installed{nullptr};
}

Pacer& Pacer::current()
{
    static ThreadPacer fallback;
    Pacer* p = installed.load();
    return p ? *p : fallback;
}

void Pacer::setCurrent(Pacer* p) { installed.store(p); }

#pragma once
#include "shell/Pacer.h"

// Pacer without an event loop: real sleeps on the calling thread, a monotonic tick count.
class ThreadPacer : public Pacer {
public:
    void sleep(unsigned milliseconds) override;
    void wait(unsigned milliseconds) override;
    void pump() override {}
    uint32_t tickCount() override;
};

#pragma once
#include "shell/Pacer.h"

// Pacer for the window program: waits keep the event loop running, so windows stay painted.
class QtPacer : public Pacer {
public:
    void sleep(unsigned milliseconds) override;
    void wait(unsigned milliseconds) override;
    void pump() override;
    uint32_t tickCount() override;
};

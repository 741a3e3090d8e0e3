#pragma once
#include "shell/Pacer.h"

#include <functional>
#include <vector>

// Pacer with a virtual clock: sleeps and waits advance the clock at once and are recorded.
class FakePacer : public Pacer {
public:
    void sleep(unsigned ms) override { sleeps.push_back(ms); if (pacing()) now += ms; }
    void wait(unsigned ms) override { waits.push_back(ms); now += ms; if (onWait) onWait(); }
    void pump() override { ++pumps; if (onPump) onPump(); }
    uint32_t tickCount() override { return now; }

    uint32_t now = 100000;
    std::vector<unsigned> sleeps;
    std::vector<unsigned> waits;
    int pumps = 0;
    std::function<void()> onWait;  // lets a test change state while the code waits
    std::function<void()> onPump;
};

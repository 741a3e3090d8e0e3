#pragma once
#include <cstdint>

// Every prescribed wait of the program (sleeps, progress pacing, waiting for the poller) goes
// through this interface, so tests run instantly and the settings key Pacing=0 can switch the
// artificial waits off.
class Pacer {
public:
    virtual ~Pacer() = default;
    // A prescribed pause (cosmetic or protocol); skipped when pacing is off.
    virtual void sleep(unsigned milliseconds) = 0;
    // A wait for another thread (polling a flag); never skipped, but lets events through.
    virtual void wait(unsigned milliseconds) = 0;
    // Lets pending window events run (message pumping between rows of a long loop).
    virtual void pump() = 0;
    // Milliseconds since an arbitrary start, like GetTickCount.
    virtual uint32_t tickCount() = 0;

    // Switches the prescribed pauses on or off (settings key Pacing).
    void setPacing(bool on) { pacing_ = on; }
    bool pacing() const { return pacing_; }

    // Process-wide pacer; a ThreadPacer until the program or a test installs another.
    static Pacer& current();
    // Installs `p` (not owned); nullptr restores the default.
    static void setCurrent(Pacer* p);

private:
    bool pacing_ = true;
};

#pragma once
#include <cstddef>
#include <string>

// Outcome of writing a card list back: records written, and the result that stopped the writer
// (0 when none did).
struct CardWriteResult {
    std::size_t written = 0;
    int status = 0;
};

// What the card drivers show while they run: the two status texts, the progress gauge and
// the busy cursor. The main window implements it; tests record the calls.
class CardDriverHost {
public:
    virtual ~CardDriverHost() = default;
    // Card state text (status panel 0).
    virtual void setCardState(const std::string& text) = 0;
    // Progress and count text (status panel 2).
    virtual void setInfo(const std::string& text) = 0;
    // Raises the progress gauge by `amount`, never beyond the limit of the running step.
    virtual void advanceProgress(int amount) = 0;
    // True while the window is being closed: no re-read after a write.
    virtual bool closing() const { return false; }
    virtual void setBusy(bool /*on*/) {}
};

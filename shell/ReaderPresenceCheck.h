#pragma once

// Start-up question to the reader driver library: is a supported USB reader attached?
class ReaderPresenceCheck {
public:
    // True when the program may go on; false after the "no reader" message was shown.
    static bool run();
};

#pragma once
#include <string>

// Start-up question to the reader driver library: is a supported USB reader attached?
//
// Without the reader the program shows the localised "plug in the device" message and ends.
// Opt-in for other readers (generic PC/SC readers, the virtual card): install.log [Vars]
// AnyReader=1 (in the data directory or the application directory) or the environment variable
// QUILLON_ANY_READER=1; the check then only logs its outcome and start-up goes on.
class ReaderPresenceCheck {
public:
    static constexpr const char* kLibraryName = "libKetter.so";

    enum class Outcome { ReaderPresent, NoReader, LibraryMissing, LibraryIncomplete };

    // True when the program may go on; false after the message was shown.
    static bool run();
    // The same with the library at `libraryPath`.
    static bool run(const std::string& libraryPath);
    // Loads the library, asks it, unloads it.
    static Outcome probe(const std::string& libraryPath);
    // True when the opt-in is set.
    static bool anyReaderAllowed();
    // The localised message for a missing reader (start-up language code, profile look-up).
    static void showNoReaderMessage();
};

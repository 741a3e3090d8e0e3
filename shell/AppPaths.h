#pragma once
#include <string>

// Process-wide directories fixed at start-up. Each ends with "/".
class AppPaths {
public:
    // Directory of the running executable (language files, libraries, help file).
    static std::string applicationDir();
    // Where the program keeps the files it writes (settings, PC files, working files, Debug/):
    // QUILLON_HOME when set, otherwise the application directory.
    static std::string dataDir();
    // TMPDIR when set and readable, otherwise "/tmp/".
    static std::string tempDir();
    // Directory the reader driver library is loaded from: QUILLON_SYSDIR or the application directory.
    static std::string systemDir();

    // Fixes the directories (called once at start-up; tests may call it again).
    static void init();
    // Overrides for tests.
    static void setApplicationDir(const std::string& dir);
    static void setDataDir(const std::string& dir);
    // Directory part of the executable's path, with "/".
    static std::string executableDir();
    // Appends "/" when missing.
    static std::string withSlash(std::string dir);
};

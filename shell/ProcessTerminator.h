#pragma once
#include <string>
#include <string_view>

#include <sys/types.h>

// Finds a running process by the name of its executable and ends it hard (SIGKILL).
// A process matches when the file its /proc/<pid>/exe link names (full path or file name) or
// its /proc/<pid>/comm equals the wanted name without regard to ASCII case; a trailing ".exe"
// is ignored on both sides. A process whose exe link cannot be read still matches by comm.
// Processes of other users and processes that have already exited (zombies) never match.
class ProcessTerminator {
public:
    // The matching process with the lowest id; 0 when none. `procRoot` lets tests supply a
    // directory laid out like /proc.
    static pid_t find(std::string_view exeName, const std::string& procRoot = "/proc");
    // Sends SIGKILL; false for ids <= 0 (which would address a process group) and on failure.
    static bool terminate(pid_t pid);
    // find + terminate; false when nothing matched or the signal failed.
    static bool terminateByName(std::string_view exeName);

    // Upper-case form without a trailing ".EXE", used for comparing names.
    static std::string comparable(std::string_view name);
};

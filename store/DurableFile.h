#pragma once
#include <functional>
#include <string>
#include <string_view>

// Writes files so that neither a crash nor a full disk at any moment leaves a file half written:
// the new content goes to a file beside the target, is flushed to disk, and only then takes the
// target's name. With a backup the previous content stays as the target + "~".
//
// After any interruption the target name holds the old or the new content, or (only between the
// two renames of the fallback for file systems without hard links) it is missing while the "~"
// copy holds the old content; recover() puts that copy back.
class DurableFile {
public:
    enum class Step { Open, Write, Sync, Close, Unlink, Link, Rename, SyncDir };
    // Test seam, asked before every file-system call that changes something: returning true
    // makes that call fail as a full disk would; throwing stops the writer there (a crash).
    using FaultHook = std::function<bool(Step)>;
    static void setFaultHook(FaultHook hook);

    static std::string backupPath(const std::string& path) { return path + "~"; }
    static std::string pendingPath(const std::string& path) { return path + ".new"; }

    // Creates or truncates `path` and writes `data`, flushed to disk. False on any error.
    static bool writeFile(const std::string& path, std::string_view data);
    // Gives `path` the content `data` as described above; false (old content untouched under
    // its name) on any error.
    static bool replace(const std::string& path, std::string_view data, bool keepBackup);
    // Copies `from` over `to` the same way (`to` + "~" keeps the old `to` when `keepBackup`).
    // False when `from` cannot be read or the write fails.
    static bool copy(const std::string& from, const std::string& to, bool keepBackup);
    // Start-up recovery: a missing `path` whose "~" copy exists gets the copy back (renamed);
    // a pending file left by an interrupted write is removed. True when `path` exists afterwards.
    static bool recover(const std::string& path);

    static bool exists(const std::string& path);
    // Whole file; false when it cannot be read.
    static bool read(const std::string& path, std::string& out);
    // Removes a file when it exists; failures are ignored.
    static void removeQuietly(const std::string& path);

private:
    static bool fault(Step step);
    static bool makeBackup(const std::string& path);
    static void syncDirectoryOf(const std::string& path);
};

#include "store/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

DurableFile::FaultHook& hook() {
    static DurableFile::FaultHook h;
    return h;
}

constexpr std::size_t kChunk = 64 * 1024;

// Closes the descriptor when the writer leaves early.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

void DurableFile::setFaultHook(FaultHook h) { hook() = std::move(h); }

bool DurableFile::fault(Step step) {
    if (hook() && hook()(step)) {
        errno = ENOSPC;
        return true;
    }
    return false;
}

bool DurableFile::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool DurableFile::read(const std::string& path, std::string& out) {
    Descriptor d;
    d.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (d.fd < 0) return false;
    std::string data;
    char buf[kChunk];
    for (;;) {
        const ssize_t n = ::read(d.fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;  // also a directory (EISDIR)
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    out = std::move(data);
    return true;
}

void DurableFile::removeQuietly(const std::string& path) {
    if (!fault(Step::Unlink)) ::unlink(path.c_str());
}

bool DurableFile::writeFile(const std::string& path, std::string_view data) {
    Descriptor d;
    if (fault(Step::Open)) return false;
    d.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (d.fd < 0) return false;
    while (!data.empty()) {
        if (fault(Step::Write)) return false;
        const ssize_t n = ::write(d.fd, data.data(), std::min(data.size(), kChunk));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    if (fault(Step::Sync) || ::fsync(d.fd) != 0) return false;
    const int fd = d.fd;
    d.fd = -1;
    return !fault(Step::Close) && ::close(fd) == 0;
}

void DurableFile::syncDirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    if (fault(Step::SyncDir)) return;
    Descriptor d;
    d.fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d.fd >= 0) ::fsync(d.fd);
}

// Makes `path` + "~" a copy of `path`: a second name for the same file when the file system
// has hard links (the target keeps its name throughout), otherwise by renaming the target.
bool DurableFile::makeBackup(const std::string& path) {
    const std::string backup = backupPath(path);
    removeQuietly(backup);
    if (!fault(Step::Link) && ::link(path.c_str(), backup.c_str()) == 0) return true;
    return !fault(Step::Rename) && std::rename(path.c_str(), backup.c_str()) == 0;
}

bool DurableFile::replace(const std::string& path, std::string_view data, bool keepBackup) {
    const std::string pending = pendingPath(path);
    if (!writeFile(pending, data)) {
        removeQuietly(pending);
        return false;
    }
    if (keepBackup && exists(path)) makeBackup(path);
    if (fault(Step::Rename) || std::rename(pending.c_str(), path.c_str()) != 0) {
        if (!exists(path) && !fault(Step::Rename)) std::rename(backupPath(path).c_str(), path.c_str());
        removeQuietly(pending);
        return false;
    }
    syncDirectoryOf(path);
    return true;
}

bool DurableFile::copy(const std::string& from, const std::string& to, bool keepBackup) {
    std::string data;
    return exists(from) && read(from, data) && replace(to, data, keepBackup);
}

bool DurableFile::recover(const std::string& path) {
    const std::string pending = pendingPath(path);
    if (exists(pending)) removeQuietly(pending);
    const std::string backup = backupPath(path);
    if (!exists(path) && exists(backup) && !fault(Step::Rename)) std::rename(backup.c_str(), path.c_str());
    return exists(path);
}

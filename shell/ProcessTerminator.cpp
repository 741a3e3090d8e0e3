#include "shell/ProcessTerminator.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::size_t kCommMax = 15;

// Numeric entries of the process directory, ascending.
std::vector<pid_t> processIds(const std::string& procRoot) {
    std::vector<pid_t> ids;
    DIR* dir = ::opendir(procRoot.c_str());
    if (!dir) return ids;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (!name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            ids.push_back(static_cast<pid_t>(std::stol(name)));
    }
    ::closedir(dir);
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::string exeLink(const std::string& dir) {
    char buf[4096];
    const ssize_t n = ::readlink((dir + "/exe").c_str(), buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string path(buf, static_cast<std::size_t>(n));
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted)) path.resize(path.size() - deleted.size());
    return path;
}

std::string comm(const std::string& dir) {
    std::ifstream in(dir + "/comm");
    std::string line;
    std::getline(in, line);
    return line;
}

// A process that has exited but is not yet reaped (state Z or X) cannot be ended any more; a
// signal to it still "succeeds", so it must not count as found.
bool exited(const std::string& dir) {
    std::ifstream in(dir + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t close = stat.rfind(')');  // the name in parentheses may itself hold ") "
    if (close == std::string::npos || close + 2 >= stat.size()) return false;
    const char state = stat[close + 2];
    return state == 'Z' || state == 'X';
}

// Only processes running as our own user are candidates: run as root, the program must not end
// other users' copies of itself.
bool ours(const std::string& dir) {
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && st.st_uid == ::geteuid();
}

// True when the process directory `dir` names an executable equal to `wanted` (comparable form).
bool nameMatches(const std::string& dir, const std::string& wanted) {
    const std::string exe = exeLink(dir);
    const std::string base = exe.substr(exe.find_last_of('/') + 1);
    if (!exe.empty() && (ProcessTerminator::comparable(exe) == wanted || ProcessTerminator::comparable(base) == wanted)) return true;
    // comm holds at most 15 bytes of the name: a full-length comm may be a cut name, which
    // only counts when the exe link gave nothing better.
    const std::string raw = comm(dir);
    const std::string c = ProcessTerminator::comparable(raw);
    if (c.empty()) return false;
    return raw.size() < kCommMax ? c == wanted : exe.empty() && wanted.starts_with(c);
}

}  // namespace

std::string ProcessTerminator::comparable(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (out.size() > 4 && out.ends_with(".EXE")) out.resize(out.size() - 4);
    return out;
}

pid_t ProcessTerminator::find(std::string_view exeName, const std::string& procRoot) {
    const std::string wanted = comparable(exeName);
    if (wanted.empty()) return 0;
    for (pid_t pid : processIds(procRoot)) {
        const std::string dir = procRoot + "/" + std::to_string(pid);
        if (nameMatches(dir, wanted) && ours(dir) && !exited(dir)) return pid;
    }
    return 0;
}

bool ProcessTerminator::terminate(pid_t pid) { return pid > 0 && ::kill(pid, SIGKILL) == 0; }

bool ProcessTerminator::terminateByName(std::string_view exeName) { return terminate(find(exeName)); }

#include "shell/AppPaths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex pathMutex;
std::string appDir;
std::string dataDirectory;
std::string tempDirectory;
std::string sysDirectory;

std::string envDir(const char* name)
{
    const char* v = std::getenv(name);
    return (v && *v) ? AppPaths::withSlash(v) : std::string();
}

}  // namespace

std::string AppPaths::withSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string AppPaths::executableDir()
{
    char buf[PATH_MAX + 1] = {};
    ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

void AppPaths::init()
{
    std::lock_guard lock(pathMutex);
    appDir = executableDir();
    dataDirectory = envDir("QUILLON_HOME");
    if (dataDirectory.empty()) dataDirectory = appDir;
    tempDirectory = envDir("TMPDIR");
    if (tempDirectory.empty() || ::access(tempDirectory.c_str(), R_OK | W_OK | X_OK) != 0) tempDirectory = "/tmp/";
    sysDirectory = envDir("QUILLON_SYSDIR");
    if (sysDirectory.empty()) sysDirectory = appDir;
}

namespace {
void ensureInit()
{
    bool empty;
    {
        std::lock_guard lock(pathMutex);
        empty = appDir.empty();
    }
    if (empty) AppPaths::init();
}
}  // namespace

std::string AppPaths::applicationDir() { ensureInit(); std::lock_guard l(pathMutex); return appDir; }
std::string AppPaths::dataDir() { ensureInit(); std::lock_guard l(pathMutex); return dataDirectory; }
std::string AppPaths::tempDir() { ensureInit(); std::lock_guard l(pathMutex); return tempDirectory; }
std::string AppPaths::systemDir() { ensureInit(); std::lock_guard l(pathMutex); return sysDirectory; }

void AppPaths::setApplicationDir(const std::string& dir)
{
    ensureInit();
    std::lock_guard l(pathMutex);
    appDir = withSlash(dir);
}

void AppPaths::setDataDir(const std::string& dir)
{
    ensureInit();
    std::lock_guard l(pathMutex);
    dataDirectory = withSlash(dir);
}

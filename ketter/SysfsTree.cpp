#include "ketter/SysfsTree.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string SysfsTree::root()
{
    const char* env = std::getenv("QUILLON_SYSFS_ROOT");
    return (env && *env) ? std::string(env) : std::string("/sys");
}

std::string SysfsTree::usbDevices() { return root() + "/bus/usb/devices"; }

SysfsTree::Listing SysfsTree::list(const std::string& dir)
{
    Listing listing;
    DIR* d = ::opendir(dir.c_str());
    if (!d) {
        listing.openError = errno;
        return listing;
    }
    errno = 0;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name != "." && name != "..") listing.names.push_back(name);
    }
    listing.readError = errno;
    ::closedir(d);
    std::sort(listing.names.begin(), listing.names.end());
    return listing;
}

std::optional<std::string> SysfsTree::read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string SysfsTree::readLine(const std::string& path)
{
    auto text = read(path);
    if (!text) return {};
    return text->substr(0, text->find('\n'));
}

std::string SysfsTree::ueventValue(const std::string& dir, const std::string& key)
{
    std::istringstream lines(read(dir + "/uevent").value_or(""));
    std::string line;
    while (std::getline(lines, line))
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    return {};
}

bool SysfsTree::isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

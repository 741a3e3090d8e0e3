#pragma once
#include <optional>
#include <string>
#include <vector>

// Small reads of the sysfs tree. The root is QUILLON_SYSFS_ROOT when set, else "/sys".
class SysfsTree {
public:
    static std::string root();
    // Directory of the USB devices: root + "/bus/usb/devices".
    static std::string usbDevices();
    // Names in a directory, sorted, without "." and "..". openError is errno when the directory
    // can't be opened, readError errno when reading it stopped early.
    struct Listing {
        std::vector<std::string> names;
        int openError = 0;
        int readError = 0;
        bool ok() const { return openError == 0 && readError == 0; }
    };
    static Listing list(const std::string& dir);
    // Whole file; nullopt when it can't be read.
    static std::optional<std::string> read(const std::string& path);
    // First line of a file without its line end ("" when missing).
    static std::string readLine(const std::string& path);
    // Value of KEY=value in a uevent file ("" when missing).
    static std::string ueventValue(const std::string& dir, const std::string& key);
    static bool isDirectory(const std::string& path);
};

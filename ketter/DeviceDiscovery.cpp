#include "ketter/DeviceDiscovery.h"

#include "ketter/HardwareId.h"
#include "ketter/LastError.h"
#include "ketter/SysfsTree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string rememberedReader;
std::string rememberedChild;

bool isInterface(const std::string& name) { return name.find(':') != std::string::npos; }

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\r')) text.pop_back();
    return text;
}

// Subdirectories of `dir` whose names start with `prefix`, sorted.
std::vector<std::string> subdirs(const std::string& dir, const char* prefix)
{
    std::vector<std::string> found;
    for (const auto& name : SysfsTree::list(dir).names)
        if (startsWith(name, prefix) && SysfsTree::isDirectory(dir + "/" + name)) found.push_back(dir + "/" + name);
    return found;
}

// SCSI devices ("6:0:0:0") below a USB interface: host*/target*/h:c:t:l, sorted at each level.
std::vector<std::string> scsiDevices(const std::string& childDir)
{
    std::vector<std::string> devices;
    for (const auto& host : subdirs(childDir, "host"))
        for (const auto& target : subdirs(host, "target"))
            for (const auto& name : SysfsTree::list(target).names)
                if (isInterface(name) && SysfsTree::read(target + "/" + name + "/type")) devices.push_back(target + "/" + name);
    return devices;
}

std::optional<std::string> firstNode(const std::string& classDir)
{
    auto names = SysfsTree::list(classDir).names;
    if (names.empty()) return std::nullopt;
    return "/dev/" + names.front();
}

}  // namespace

std::string DeviceDiscovery::readerDevice() { return rememberedReader; }
std::string DeviceDiscovery::storageChild() { return rememberedChild; }

std::string DeviceDiscovery::hardwareIds(const std::string& deviceDir)
{
    if (auto alias = SysfsTree::read(deviceDir + "/modalias")) return *alias;
    std::string vendor = SysfsTree::readLine(deviceDir + "/idVendor");
    std::string product = SysfsTree::readLine(deviceDir + "/idProduct");
    if (vendor.empty() || product.empty()) return {};
    return "usb:v" + vendor + "p" + product + "d" + SysfsTree::readLine(deviceDir + "/bcdDevice");
}

std::optional<std::string> DeviceDiscovery::findReader()
{
    std::string base = SysfsTree::usbDevices();
    auto listing = SysfsTree::list(base);
    if (listing.openError != 0) {
        LastError::record(static_cast<uint32_t>(listing.openError), "cannot enumerate devices: %05lu");
        return std::nullopt;
    }
    for (const auto& name : listing.names) {
        if (isInterface(name)) continue;  // interfaces are children, not USB devices
        std::string dir = base + "/" + name;
        std::string ids = hardwareIds(dir);
        if (!ids.empty() && HardwareId::matches(ids)) return dir;
    }
    if (listing.readError != 0)
        LastError::record(static_cast<uint32_t>(listing.readError), "Enumeration process failed: %05lu");
    else
        LastError::setCode(kNoMoreItems);
    return std::nullopt;
}

std::optional<std::string> DeviceDiscovery::firstChild(const std::string& deviceDir)
{
    std::string prefix = deviceDir.substr(deviceDir.rfind('/') + 1) + ":";
    for (const auto& name : SysfsTree::list(deviceDir).names)
        if (startsWith(name, prefix.c_str())) return deviceDir + "/" + name;
    return std::nullopt;
}

std::optional<std::string> DeviceDiscovery::storageNode(const std::string& childDir, int scsiType)
{
    auto listing = SysfsTree::list(childDir);
    if (listing.openError != 0) {
        LastError::record(static_cast<uint32_t>(listing.openError), "Retrive information set failed: %05lu");
        return std::nullopt;
    }
    for (const auto& device : scsiDevices(childDir)) {
        if (trimmed(SysfsTree::read(device + "/type").value_or("")) != std::to_string(scsiType)) continue;
        if (auto node = firstNode(device + "/block")) return node;
        if (auto node = firstNode(device + "/scsi_generic")) return node;
    }
    return std::nullopt;
}

std::optional<std::string> DeviceDiscovery::usbDeviceNode(const std::string& deviceDir)
{
    std::string devName = SysfsTree::ueventValue(deviceDir, "DEVNAME");
    if (!devName.empty()) return "/dev/" + devName;
    std::string bus = SysfsTree::readLine(deviceDir + "/busnum");
    std::string dev = SysfsTree::readLine(deviceDir + "/devnum");
    if (bus.empty() || dev.empty()) return std::nullopt;
    char path[64];
    std::snprintf(path, sizeof path, "/dev/bus/usb/%03d/%03d", std::atoi(bus.c_str()), std::atoi(dev.c_str()));
    return std::string(path);
}

char* DeviceDiscovery::toBlock(const std::string& text)
{
    auto* block = static_cast<char*>(std::calloc(text.size() + 1, 1));
    if (block) std::memcpy(block, text.data(), text.size());
    return block;
}

char* DeviceDiscovery::findStorage(const std::string& readerDir)
{
    auto child = firstChild(readerDir);
    if (!child) {
        LastError::record(kNoSuchDevnode, "Disk drive not found%05lu");
        return nullptr;
    }
    rememberedChild = *child;
    auto node = storageNode(*child, kDisk);
    if (!node) node = storageNode(*child, kCdRom);
    return node ? toBlock(*node) : nullptr;
}

char* DeviceDiscovery::find(Platform::Generation generation)
{
    auto reader = findReader();
    if (!reader) return nullptr;
    rememberedReader = *reader;
    if (generation != Platform::Generation::Legacy) return findStorage(*reader);
    auto node = usbDeviceNode(*reader);
    return node ? toBlock(*node) : nullptr;
}

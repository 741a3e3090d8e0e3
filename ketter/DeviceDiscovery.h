#pragma once
#include "ketter/Platform.h"

#include <cstdint>
#include <optional>
#include <string>

// Finds the reader in sysfs: the first USB device (sorted directory order) whose hardware id
// matches, then its first child (the USB interface) and the storage device node below it.
class DeviceDiscovery {
public:
    // Error codes kept from the platform the library was first written for.
    static constexpr uint32_t kNoMoreItems = 259;   // enumeration ended normally
    static constexpr uint32_t kNoSuchDevnode = 13;  // the device has no child (yet)
    // SCSI peripheral device types of the storage interfaces, tried in this order.
    static constexpr int kDisk = 0;
    static constexpr int kCdRom = 5;

    // The device path for the generation in a zero-filled calloc block, or nullptr.
    static char* find(Platform::Generation generation);

    // sysfs directory of the first matching USB device; records the failures of the scan.
    static std::optional<std::string> findReader();
    // The hardware-id list of a USB device: its modalias, or one built from idVendor, idProduct
    // and bcdDevice like the kernel's ("usb:v7e5dp5b21d0100"); "" when neither can be read.
    static std::string hardwareIds(const std::string& deviceDir);
    // First child of a USB device: its first interface directory ("1-1:1.0").
    static std::optional<std::string> firstChild(const std::string& deviceDir);
    // Device node of the first SCSI device of `scsiType` below a USB interface: its block device,
    // else its generic (sg) node. Records a failure to read the interface directory.
    static std::optional<std::string> storageNode(const std::string& childDir, int scsiType);
    // Device node of a USB device itself ("/dev/bus/usb/001/004").
    static std::optional<std::string> usbDeviceNode(const std::string& deviceDir);
    // Copies `text` into a zero-filled calloc block (nullptr when allocation fails).
    static char* toBlock(const std::string& text);

    // Instances remembered by the latest search ("" before one matched).
    static std::string readerDevice();
    static std::string storageChild();

private:
    static char* findStorage(const std::string& readerDir);
};

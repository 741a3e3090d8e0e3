#include "ketter/DeviceDiscovery.h"
#include "ketter/HardwareId.h"
#include "ketter/LastError.h"
#include "ketter/Platform.h"
#include "ketter/ketter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

using Generation = Platform::Generation;

struct FreeBlock {
    void operator()(char* p) const { std::free(p); }
};
using Block = std::unique_ptr<char, FreeBlock>;

class Discovery : public ::testing::Test {
protected:
    void TearDown() override
    {
        unsetenv("QUILLON_SYSFS_ROOT");
        Platform::clearForced();
    }
    static Block findIn(const std::string& tree, Generation generation, const char* argument = "7E5D")
    {
        setenv("QUILLON_SYSFS_ROOT", (std::string(QUILLON_TEST_DATA) + "/ketter/" + tree).c_str(), 1);
        Platform::force(generation);
        LastError::clear();
        return Block(FindDeviceEntry(argument));
    }
};

struct TreeCase {
    const char* tree;
    Generation generation;
    const char* path;  // nullptr: no reader
    uint32_t code;
    const char* text;
};

TEST_F(Discovery, FindsTheStorageNodeOfTheFirstMatchingReader)
{
    const TreeCase cases[] = {
        {"no-reader", Generation::Nt6, nullptr, DeviceDiscovery::kNoMoreItems, ""},
        {"two-readers", Generation::Nt6, "/dev/sdb", 0, ""},
        {"two-readers", Generation::NtClassic, "/dev/sdb", 0, ""},
        {"two-readers", Generation::Legacy, "/dev/bus/usb/001/004", 0, ""},
        {"lower-case", Generation::Nt6, "/dev/sdd", 0, ""},
        {"vendor-without-product", Generation::Nt6, nullptr, DeviceDiscovery::kNoMoreItems, ""},
        {"product-before-vendor", Generation::Nt6, nullptr, DeviceDiscovery::kNoMoreItems, ""},
        {"product-in-second-string", Generation::Nt6, nullptr, DeviceDiscovery::kNoMoreItems, ""},
        {"no-storage-child", Generation::Nt6, nullptr, 13, "Disk drive not found00013"},
        {"no-storage-child", Generation::Legacy, "/dev/bus/usb/001/006", 0, ""},
        {"cdrom-only", Generation::NtClassic, "/dev/sr0", 0, ""},
        {"generic-only", Generation::Nt6, "/dev/sg3", 0, ""},
        {"missing-tree", Generation::Nt6, nullptr, 2, "cannot enumerate devices: 00002"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tree) + " generation " + std::to_string(static_cast<int>(c.generation)));
        Block result = findIn(c.tree, c.generation);
        if (c.path)
            EXPECT_STREQ(result.get(), c.path);
        else
            EXPECT_EQ(result, nullptr);
        EXPECT_EQ(LastError::code(), c.code);
        EXPECT_EQ(LastError::text(), c.text);
    }
}

TEST_F(Discovery, RemembersTheReaderAndItsStorageChild)
{
    Block result = findIn("two-readers", Generation::Nt6);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(DeviceDiscovery::readerDevice().substr(DeviceDiscovery::readerDevice().rfind('/') + 1), "1-2");
    EXPECT_EQ(DeviceDiscovery::storageChild().substr(DeviceDiscovery::storageChild().rfind('/') + 1), "1-2:1.0");
}

TEST_F(Discovery, IgnoresTheArgument)
{
    for (const char* argument : {"7E5D", "", "FFFF"}) {
        Block result = findIn("two-readers", Generation::Nt6, argument);
        EXPECT_STREQ(result.get(), "/dev/sdb") << argument;
    }
}

TEST(HardwareIdMatch, VendorThenProductInTheFirstString)
{
    const struct {
        std::string_view ids;
        bool match;
    } cases[] = {
        {"usb:v7E5Dp5B21d0100dc00", true},
        {"usb:v7e5dp5b21d0100", true},
        {"USB\\VID_7E5D&PID_5B21&REV_0100", true},
        {"usb:v5B21p7E5D", false},
        {"usb:v7E5Dp1234", false},
        {std::string_view("usb:v7E5D\0p5B21", 15), false},
        {"usb:v7E5Dp0001\nusb:v5B21", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(HardwareId::matches(c.ids), c.match) << std::string(c.ids);
}

}  // namespace

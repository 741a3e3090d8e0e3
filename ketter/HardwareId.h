#pragma once
#include <string>
#include <string_view>

// Matching of a device's hardware id against the reader's vendor and product ids.
class HardwareId {
public:
    static constexpr const char* kVendorId = "7E5D";
    static constexpr const char* kProductId = "5B21";

    // The first string of a hardware-id list (it ends at a NUL or a line end), upper-cased.
    static std::string firstString(std::string_view ids);
    // True when the first string holds the vendor id and, after the vendor id's first
    // occurrence, the product id ("usb:v7e5dp5b21d0100" matches, "usb:v5B21p7E5D" does not).
    static bool matches(std::string_view ids);
};

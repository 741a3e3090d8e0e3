#include "ketter/HardwareId.h"

std::string HardwareId::firstString(std::string_view ids)
{
    auto end = ids.find_first_of(std::string_view("\0\n\r", 3));
    std::string first(ids.substr(0, end));
    for (char& c : first)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return first;
}

bool HardwareId::matches(std::string_view ids)
{
    std::string id = firstString(ids);
    auto vendor = id.find(kVendorId);
    return vendor != std::string::npos && id.find(kProductId, vendor) != std::string::npos;
}

#pragma once
#include <string_view>

// Which names a catalog may have: the PC files keep names as INI keys and values, so only
// letters, digits, "-", ".", "_", "~", bytes 0x80-0xFF and whole double-byte characters of the
// ANSI code page are allowed. Everything else (space, punctuation, control bytes, DEL) is refused,
// and so is an empty name.
class CatalogNameRule {
public:
    static bool allowed(std::string_view ansiName);
    static bool allowedByte(unsigned char byte);
};

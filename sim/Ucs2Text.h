#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The card's three UCS2 text formats, converted to and from the system ANSI code page.
class Ucs2Text {
public:
    static constexpr uint8_t kPlain = 0x80;      // big-endian UCS2 characters
    static constexpr uint8_t kHalfPage = 0x81;   // count, base/128, one byte per character
    static constexpr uint8_t kFullBase = 0x82;   // count, 16-bit base, one byte per character

    enum Mode { kOwnNumber = 0, kPhoneName = 1, kMessageText = 2 };

    // Decodes a text in `format` into `destination` (zero-terminated, never more than
    // `destinationSize` bytes including the terminator, no character split) and returns the
    // bytes written. `source` starts after the format byte:
    //   80: `count` bytes of UCS2, high byte first; names and own numbers stop at FFFF;
    //   81: base byte (x 128), then `count` character bytes;
    //   82: two base bytes (high first), then `count` character bytes.
    // Decoding stops at the first character the code page lacks. `intact` becomes false when
    // `count` runs past the end of `source` (what fits is decoded).
    static size_t UC2Ansi(uint8_t format, size_t count, int mode, std::span<const uint8_t> source,
                          char* destination, size_t destinationSize, bool* intact = nullptr);
    static std::string decode(uint8_t format, size_t count, int mode, std::span<const uint8_t> source,
                              bool* intact = nullptr);

    // One UCS2 character in the system code page; nothing when the code page lacks it.
    static std::optional<std::string> toAnsi(char16_t c);
    // The UCS2 characters of one ANSI character.
    static std::u16string fromAnsi(std::string_view ansiChar);

    // Language code the decoders follow (a copy of the program's language code).
    static void setLanguageCode(const std::string& code);
    static std::string languageCode();
};

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The GSM default alphabet of message texts, with its escape table (the euro sign included).
// Card side: septets; program side: ANSI text in the current code page.
class SmsAlphabet {
public:
    static constexpr uint8_t kEscape = 0x1B;

    // Septets to ANSI text. An escape pair gives one character; an escape with an unknown
    // follower gives the follower's ordinary character; a trailing escape is dropped.
    // Characters the code page lacks become "?" (the pound and yen signs their full-width forms
    // where only those exist, as in Big5).
    static std::string decode(const std::vector<uint8_t>& septets);

    // ANSI text to septets (escape pairs for the extension characters); nothing when the text
    // holds a character outside the alphabet.
    static std::optional<std::vector<uint8_t>> encode(std::string_view ansiText);

    // The character of one septet (no escape handling).
    static char16_t character(uint8_t septet);
    // The character of an escape pair, or 0 when the follower is not an extension character.
    static char16_t extension(uint8_t follower);
};

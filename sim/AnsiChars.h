#pragma once
#include "text/CodePage.h"

#include <cstddef>
#include <string_view>

// Steps through an ANSI text character by character: a lead byte of the code page and the byte
// after it form one character.
class AnsiChars {
public:
    // Length in bytes (1 or 2) of the character starting at `at`.
    static size_t length(std::string_view text, size_t at, int codePage)
    {
        return at + 1 < text.size() && CodePage::isLeadByte(static_cast<uint8_t>(text[at]), codePage) ? 2 : 1;
    }
    // The longest prefix of `text` of at most `limit` bytes that does not split a character.
    static std::string_view prefix(std::string_view text, size_t limit, int codePage)
    {
        size_t at = 0;
        while (at < text.size()) {
            size_t n = length(text, at, codePage);
            if (at + n > limit) break;
            at += n;
        }
        return text.substr(0, at);
    }
};

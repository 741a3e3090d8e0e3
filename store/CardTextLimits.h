#pragma once
#include <string_view>

// Whether a name or a message text fits the card. Texts are ANSI bytes of the process code page.
class CardTextLimits {
public:
    // Longest message the card takes in its 7-bit alphabet, and in UCS2 characters.
    static constexpr int kMessageBytes = 140;
    static constexpr int kMessageWideChars = 70;

    // True when `name` is too long for a phone-book record whose name part has `alphaLength`
    // bytes. Names the card stores in UCS2 count characters against half the limit; names in
    // the GSM alphabet count their bytes, escaped characters twice. A limit of 0 or less never
    // refuses.
    static bool nameTooLong(std::string_view name, int alphaLength);
    // True when a message text does not fit one card message.
    static bool messageTooLong(std::string_view text);

    // True when a text must be stored in UCS2 on the card: it holds a double-byte character or
    // a grave accent.
    static bool needsWideCoding(std::string_view text);
    // True when the card stores the name in UCS2: the rule above, or a character without a
    // code in the GSM alphabet.
    static bool nameNeedsWideCoding(std::string_view name);
    // Characters of `text`: a double-byte pair counts one.
    static int characterCount(std::string_view text);

private:
    // Blanks removed at both ends.
    static std::string_view trimmed(std::string_view text);
    // Characters that take an escape pair in the GSM alphabet.
    static int escapeCount(std::string_view text);
};

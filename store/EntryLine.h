#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Entry lines: the fields of a phone-book record or a message joined by the two characters
// backslash and "t" (not a tab). A line break inside a field is kept as backslash and "n",
// standing for CR LF. Lines are ANSI bytes; the scans skip the trail byte of every double-byte
// character, so a trail byte 0x5C (as in Big5) never starts a separator or an escape.
class EntryLine {
public:
    static constexpr std::string_view kSeparator = "\\t";
    static constexpr std::string_view kLineBreak = "\\n";
    // The PC phone entry with four empty fields.
    static constexpr std::string_view kEmptyPhone = "\\t\\t\\t";
    // The card phone entry with two empty fields (a free record).
    static constexpr std::string_view kEmptyCardPhone = "\\t";
    // Longest input keepDialable looks at.
    static constexpr std::size_t kDialableMax = 127;

    // Cuts the first field off `line` (up to the first separator, or the whole line) and
    // returns it with its line-break escapes decoded. An empty line yields an empty field.
    static std::string takeNextField(std::string& line);
    static std::string takeNextField(std::string_view& line);
    // The first `count` fields (decoded), missing ones empty, extra ones ignored.
    static std::vector<std::string> fields(std::string_view line, std::size_t count);
    // Joins texts with the separator (no escaping).
    static std::string join(const std::vector<std::string>& texts);

    // Every CR LF pair -> escape; lone CR or LF stay.
    static std::string encodeLineBreaks(std::string_view text);
    // Every escape -> CR LF.
    static std::string decodeLineBreaks(std::string_view text);

    // Overwrites every trailing byte <= 32 of the zero-terminated buffer with 0.
    static void stripTrailingBlanks(char* buffer);
    static std::string stripTrailingBlanks(std::string_view text);

    // Keeps 0-9 * # + of the first 127 bytes (up to a zero byte) in order; when none is kept,
    // those bytes unchanged.
    static std::string keepDialable(std::string_view text);

    // Position of the first `pair` (two bytes) at or after `from`, stepping over double-byte
    // characters; npos when none.
    static std::size_t findPair(std::string_view text, std::string_view pair, std::size_t from = 0);
};

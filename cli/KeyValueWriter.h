#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// The tool's output: "key=value" lines in UTF-8, a blank line between records.
// Line breaks inside a value are written as the two characters \n.
class KeyValueWriter {
public:
    explicit KeyValueWriter(std::ostream& out) : out_(out) {}

    // A value held as ANSI text in the program's code page.
    void text(const std::string& key, const std::string& ansiValue);
    // A value that is plain ASCII already (numbers, hex).
    void plain(const std::string& key, const std::string& value);
    void hex(const std::string& key, const std::vector<uint8_t>& bytes);
    // Ends a record: the next field starts a new block after a blank line.
    void endRecord() { pendingBlank_ = true; }

    // Upper-case hex digits without blanks.
    static std::string hexText(const std::vector<uint8_t>& bytes);
    // CR LF, CR and LF each become the two characters \n.
    static std::string escapeLineBreaks(const std::string& value);

private:
    std::ostream& out_;
    bool pendingBlank_ = false;
};

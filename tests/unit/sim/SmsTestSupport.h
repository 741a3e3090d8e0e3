#pragma once
#include "sim/ShortMsg.h"
#include "text/CodePage.h"
#include "vsim/Hex.h"

#include <cstdint>
#include <string>
#include <vector>

// Runs a test under a given ANSI code page and restores the locale rule afterwards.
class CodePageScope {
public:
    explicit CodePageScope(int codePage) { CodePage::setAnsi(codePage); }
    ~CodePageScope() { CodePage::setAnsi(0); }
    CodePageScope(const CodePageScope&) = delete;
    CodePageScope& operator=(const CodePageScope&) = delete;
};

// A message record from hex, padded with FF to `length` bytes like the card's file.
inline std::vector<uint8_t> smsRecord(const std::string& hex, size_t length = 176)
{
    std::vector<uint8_t> record = Hex::bytes(hex);
    if (record.size() < length) record.resize(length, 0xFF);
    return record;
}

inline ShortMsg message(const std::string& text, const std::string& number, uint32_t status)
{
    ShortMsg msg;
    msg.text = text;
    msg.number = number;
    msg.status = status;
    return msg;
}

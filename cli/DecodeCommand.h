#pragma once
#include "cli/KeyValueWriter.h"

#include <string>
#include <vector>

// "decode KIND HEX": one card record given in hexadecimal, decoded by the program's own codecs.
class DecodeCommand {
public:
    static void run(const std::vector<std::string>& words, KeyValueWriter& out);

    // The bytes of a hex argument (blanks allowed); a usage error when it is not hex or its
    // size is outside [minSize, maxSize].
    static std::vector<uint8_t> hexArgument(const std::string& text, size_t minSize, size_t maxSize);

private:
    static void adn(const std::vector<uint8_t>& record, KeyValueWriter& out);
    static void ext1(const std::vector<uint8_t>& record, KeyValueWriter& out);
    static void msisdn(const std::vector<uint8_t>& record, KeyValueWriter& out);
    static void smsp(const std::vector<uint8_t>& record, KeyValueWriter& out);
    static void iccid(const std::vector<uint8_t>& record, KeyValueWriter& out);
    static void sms(const std::vector<uint8_t>& record, KeyValueWriter& out);
};

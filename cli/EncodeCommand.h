#pragma once
#include "cli/KeyValueWriter.h"

#include <string>
#include <vector>

// "encode adn|sms --record-length N ...": the record the program would write, in hexadecimal.
class EncodeCommand {
public:
    static void run(const std::vector<std::string>& words, KeyValueWriter& out);

private:
    static void adn(const std::vector<std::string>& words, KeyValueWriter& out);
    static void sms(const std::vector<std::string>& words, KeyValueWriter& out);
};

#pragma once
#include "cli/KeyValueWriter.h"
#include "sim/ShortMsg.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The fields the tool prints for each kind of card record.
class RecordFields {
public:
    static void phoneEntry(KeyValueWriter& out, const std::string& name, const std::string& number);
    static void message(KeyValueWriter& out, const ShortMsg& msg);
    // The service-centre address: its stored bytes and the number they hold ("" when none).
    static void serviceCentre(KeyValueWriter& out, const std::vector<uint8_t>& stored);
    static std::string serviceCentreNumber(const std::vector<uint8_t>& stored);
};

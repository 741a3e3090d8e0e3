#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The card phone book (EF ADN under DF telecom): opening it, reading and writing one record.
// Results are 0, an exchange status, SimFiles::kDamagedData (a record whose fields do not fit
// their lengths: the fields decoded so far are given), kBadRecordNumber, or, for a write the
// card refused, its status word.
class SimPhoneBook {
public:
    static constexpr uint16_t kBadRecordNumber = 0xFFF1;

    // Selects EF ADN and sets the phone book geometry (SimGeometry::phone()).
    static uint16_t OpenSimPhoneFile();
    // Reads record `dwIndex` (1...count) into a name and a number text. An exchange failure
    // leaves both untouched; a failure while reading the extension leaves the number untouched.
    static uint16_t ReadSimPhoneBook(uint32_t dwIndex, std::string& name, std::string& number);
    // Writes record `dwIndex` from a name and a number text.
    static uint16_t WriteSimPhoneBook(uint32_t dwIndex, std::string_view name, std::string_view number);
};

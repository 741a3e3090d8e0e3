#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One record of the card phone book (EF ADN): a name field of X bytes, then the number length,
// the type of number, 10 BCD bytes, the capability identifier and the extension identifier.
class PhoneRecordCodec {
public:
    static constexpr size_t kFixedBytes = 14;
    static constexpr size_t kBcdBytes = 10;
    static constexpr size_t kMainPlaces = 20;
    static constexpr size_t kExtensionPlaces = 15;
    static constexpr size_t kNumberTextLimit = 20;  // characters of a number text that are stored
    static constexpr size_t kNameMax = 44;          // callers keep names in 45-byte fields
    static constexpr uint8_t kTypeUnknown = 0x81;
    static constexpr uint8_t kTypeInternational = 0x91;
    static constexpr uint8_t kNoExtension = 0xFF;

    struct Decoded {
        std::string name;
        std::string digits;
        bool international = false;
        size_t places = 0;
        uint8_t extension = kNoExtension;
        bool intact = true;  // false when a field announced more bytes than the record holds

        bool wantsExtension() const { return places == kMainPlaces && extension != kNoExtension; }
        std::string number() const { return (international ? "+" : "") + digits; }
    };

    // `record` holds exactly the record's bytes; `nameWidth` is X.
    static Decoded decode(std::span<const uint8_t> record, int nameWidth);
    static std::string decodeName(std::span<const uint8_t> field, bool& intact);
    // Appends the digits of an EXT1 record (bytes 2-11, up to 15 digits).
    static void addExtension(Decoded& decoded, std::span<const uint8_t> extensionRecord);

    // The record for a name and a number, `recordLength` bytes; empty when the record has no
    // room for the fixed part (nameWidth < 0).
    static std::vector<uint8_t> encode(std::string_view name, std::string_view number, size_t recordLength,
                                       int nameWidth);
    static void encodeName(std::string_view name, std::span<uint8_t> field);

    // Type of number 81, or a type whose bits 7-5 are 001 (international).
    static bool isInternational(uint8_t type) { return (type & 0x70) == 0x10; }
    static bool isNumberType(uint8_t type) { return type == kTypeUnknown || isInternational(type); }
};

#pragma once
#include "store/RowTable.h"

#include <cstddef>
#include <optional>

// Finds the row a new card entry goes into: a new row while the list is shorter than the
// card's capacity, otherwise the first blank row from the cursor on, wrapping to the start once.
class FreeRecordSearch {
public:
    // The row to use, or nothing when the card is full. An appended row gets the next caption
    // and no texts; a reused row keeps its caption and loses its texts. `cursor` is left on a
    // reused row (0 after a wrap that found nothing).
    static std::optional<std::size_t> choose(RowTable& table, std::size_t capacity, std::size_t& cursor);
    // True when the entry texts of the row (name or text, and number) are empty or blanks only
    // and, for a message record, the status it was read with is empty or 0 (free): a used
    // record whose text could not be decoded must not be taken for a free one.
    static bool isBlank(const Row& row);
    static constexpr std::size_t kEntryColumns = 2;
    static constexpr std::size_t kStatusColumn = 3;  // message records: text, number, sender, status

private:
    static std::optional<std::size_t> scan(const RowTable& table, std::size_t end, std::size_t& cursor);
};

#include "store/CardPhoneBookDriver.h"

#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "shell/Pacer.h"
#include "sim/SimGeometry.h"
#include "sim/SimPhoneBook.h"
#include "sim/SimPin.h"
#include "store/EntryLine.h"

#include <algorithm>

bool CardPhoneBookDriver::read()
{
    const LocalTexts& texts = LocalTexts::current();
    bool ran = false;
    if (SimPhoneBook::OpenSimPhoneFile() == 0) {
        const SimGeometry::Phone& geometry = SimGeometry::phone();
        if (geometry.recordCount > kMaxRecords) {
            host_.setCardState(texts.hint(65));
        } else {
            views_.geometry.phoneCapacity = geometry.recordCount;
            views_.geometry.alphaLength = geometry.nameWidth;
            ran = true;
            if (!readRecords(geometry.recordCount)) noteUnreadableCard();
        }
    }
    host_.setInfo(texts.hintf(15, views_.phoneView().size()));
    return ran;
}

bool CardPhoneBookDriver::readRecords(uint16_t count)
{
    const LocalTexts& texts = LocalTexts::current();
    views_.clearPhone();
    image_.clear();
    image_.reserve(count);
    views_.phoneRecords().reserve(count);
    const int step = std::max(count / 50, 1);
    const bool checks = std::exchange(views_.checkMode, false);
    bool complete = true;
    for (uint32_t i = 1; i <= count; ++i) {
        host_.setInfo(texts.hintf(14, i, count));
        Record record;
        if (SimPhoneBook::ReadSimPhoneBook(i, record.name, record.number) != 0) {
            complete = false;
            break;
        }
        record.name = EntryLine::stripTrailingBlanks(record.name);
        record.number = EntryLine::stripTrailingBlanks(record.number);
        const std::string line = EntryLine::join({record.name, record.number});
        Log::format("Line i =%d--->Data=%s", static_cast<int>(i), line.c_str());
        views_.addCardPhoneRow(line);
        // The image holds the row as shown: a record whose text the row cannot carry exactly
        // (an escape-like name, say) counts as changed only when the user changes its row.
        image_.push_back(views_.phoneRecords().size() >= i ? rowRecord(i - 1) : std::move(record));
        if (i % step == 0) host_.advanceProgress(1);
        Pacer::current().pump();
    }
    views_.checkMode = checks;
    return complete;
}

void CardPhoneBookDriver::noteUnreadableCard()
{
    uint32_t attempts = 0;
    if (SimPin::SimCardNeedCHV1(attempts) == SimPin::kUnreadable) {
        host_.setCardState(LocalTexts::current().hint(5) + ".");
    }
}

CardPhoneBookDriver::Record CardPhoneBookDriver::rowRecord(std::size_t row) const
{
    const RowTable& records = views_.phoneRecords();
    return {records.text(row, 0), records.text(row, 1)};
}

CardPhoneBookDriver::WriteResult CardPhoneBookDriver::write()
{
    WriteResult result;
    if (SimPhoneBook::OpenSimPhoneFile() != 0) return result;
    const LocalTexts& texts = LocalTexts::current();
    host_.setBusy(true);
    // Only records the last read reached: one past a failed read may hold an entry never seen.
    const std::size_t rows = std::min<std::size_t>({views_.phoneRecords().size(), SimGeometry::phone().recordCount,
                                                    image_.size()});
    for (std::size_t i = 0; i < rows; ++i) {
        host_.setInfo(texts.hintf(16, i + 1));
        Pacer::current().pump();
        const Record wanted = rowRecord(i);
        if (image_[i] == wanted) continue;
        result.status = SimPhoneBook::WriteSimPhoneBook(static_cast<uint32_t>(i + 1), wanted.name, wanted.number);
        if (result.status != 0) break;
        ++result.written;
    }
    if (result.written > 0 && !host_.closing()) read();
    host_.setBusy(false);
    host_.setInfo(texts.hint(17));
    return result;
}

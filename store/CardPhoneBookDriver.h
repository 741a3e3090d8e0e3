#pragma once
#include "store/CardDriverHost.h"
#include "store/CardViews.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Copies the card phone book into the card views and writes changed rows back. It keeps the
// row of every record as read, so a write sends only the records whose row the user changed.
// Runs on the thread that talks to the card, with the poller suspended by the caller.
class CardPhoneBookDriver {
public:
    static constexpr int kMaxRecords = 1000;

    using WriteResult = CardWriteResult;

    CardPhoneBookDriver(CardViews& views, CardDriverHost& host) : views_(views), host_(host) {}

    // Reads every record into the phone lists. True when the record loop ran (the phone book
    // counts as loaded), even when a failed read stopped it early.
    bool read();
    // Writes the rows that differ from the image; re-reads the card when anything was written.
    WriteResult write();

    std::size_t imageSize() const { return image_.size(); }

private:
    struct Record {
        std::string name;
        std::string number;
        bool operator==(const Record&) const = default;
    };

    bool readRecords(uint16_t count);
    void noteUnreadableCard();
    Record rowRecord(std::size_t row) const;

    CardViews& views_;
    CardDriverHost& host_;
    std::vector<Record> image_;
};

#pragma once
#include "store/CardDriverHost.h"
#include "store/CardViews.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Copies the card's message file into the card message lists and writes changed rows back.
// It keeps each record's text, number and status as read, so a write sends only the records
// whose row differs. Runs with the poller suspended by the caller.
class CardMessageDriver {
public:
    static constexpr int kMaxRecords = 10000;
    static constexpr int kWritten = 1000;  // the card took the record

    using WriteResult = CardWriteResult;

    CardMessageDriver(CardViews& views, CardDriverHost& host) : views_(views), host_(host) {}

    // Reads every record into the message lists. True when the record loop ran.
    bool read();
    WriteResult write();

    std::size_t imageSize() const { return image_.size(); }

private:
    struct Record {
        std::string text;
        std::string number;
        bool operator==(const Record&) const = default;
    };

    // Opens the message file; the record count, or 0 when nothing is to be read.
    int open(bool report);
    bool readRecords(int count);
    void advanceFor(int record, int count);
    uint32_t rowStatus(std::size_t row) const;

    CardViews& views_;
    CardDriverHost& host_;
    std::vector<Record> image_;
};

#pragma once
#include "store/CardGeometry.h"
#include "store/CardReportLists.h"
#include "store/NameIndex.h"
#include "store/RowTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The in-memory image of the card: the phone and message record lists (one row per card record,
// in record order) and the two views of the used records, each row of a view linked to its
// record row (column text and Row::link). Entries enter them only through the two add routines,
// which also apply the transfer checks while the check mode is on.
//
// Columns: phone records [0] name [1] number; phone view the same plus [2] record row index;
// message records [0] text [1] number [2] sender name [3] record status; message view [0] text
// [1] number [2] sender name [3] record row index.
class CardViews {
public:
    enum class AddResult {
        Added,
        Refused,   // a transfer check refused the entry (it went to a report list)
        CardFull,  // no free record: the card-full warning was shown; the calling command must end
    };

    CardViews(RowTable& phoneRecords, RowTable& phoneView, RowTable& messageRecords, RowTable& messageView);
    CardViews(const CardViews&) = delete;
    CardViews& operator=(const CardViews&) = delete;

    RowTable& phoneRecords() { return phoneRecords_; }
    RowTable& phoneView() { return phoneView_; }
    RowTable& messageRecords() { return messageRecords_; }
    RowTable& messageView() { return messageView_; }

    CardGeometry geometry;
    // Rows at which the next search for a free record starts.
    std::size_t phoneCursor = 0;
    std::size_t messageCursor = 0;
    // On only while a transfer or paste adds rows: switches the checks of the add routines on.
    bool checkMode = false;
    CardReportLists reports;
    // Card phone entries (name, separator, number) giving message rows their sender name.
    NameIndex cardNameIndex;

    // Places a card phone entry (name, number, further fields ignored) into a record row and,
    // unless the line is empty, into a view row.
    AddResult addCardPhoneRow(std::string_view line);
    // Places a message entry (text, number, further fields ignored) the same way.
    AddResult addCardMessageRow(std::string_view line);
    // A message record read from the card: its status goes into the record row, and the view
    // gets a row only when the text is not empty. No checks.
    AddResult addReadMessage(const std::string& text, const std::string& number, const std::string& status);

    // Empties the two lists of a mode.
    void clearPhone();
    void clearMessages();
    // Sender name of a message from the card name index ("" when none matches, when the text is
    // empty, or when the message has no number).
    std::string senderName(const std::string& number, const std::string& text) const;

    // True for the lines of a free record: one or two separators only.
    static bool isEmptyLine(std::string_view line);

private:
    bool isDuplicatePhone(const std::string& name, const std::string& number) const;
    bool refusedByPhoneChecks(std::string_view line);
    std::optional<std::size_t> chooseRow(RowTable& table, std::size_t capacity, std::size_t& cursor,
                                         bool scroll);
    AddResult placeMessage(const std::string& text, const std::string& number, const std::string* status,
                           bool mirror);
    AddResult cardFull();

    RowTable& phoneRecords_;
    RowTable& phoneView_;
    RowTable& messageRecords_;
    RowTable& messageView_;
};

// Switches the check mode on for its lifetime; off again however the command ends.
class CardCheckModeScope {
public:
    explicit CardCheckModeScope(CardViews& views) : views_(views) { views_.checkMode = true; }
    ~CardCheckModeScope() { views_.checkMode = false; }
    CardCheckModeScope(const CardCheckModeScope&) = delete;
    CardCheckModeScope& operator=(const CardCheckModeScope&) = delete;

private:
    CardViews& views_;
};

#include "store/CardViews.h"

#include "shell/LocalTexts.h"
#include "shell/Prompter.h"
#include "store/CardTextLimits.h"
#include "store/EntryLine.h"
#include "store/FreeRecordSearch.h"
#include "store/IniFile.h"

CardViews::CardViews(RowTable& phoneRecords, RowTable& phoneView, RowTable& messageRecords, RowTable& messageView)
    : phoneRecords_(phoneRecords), phoneView_(phoneView), messageRecords_(messageRecords), messageView_(messageView)
{
}

bool CardViews::isEmptyLine(std::string_view line)
{
    return line == "\\t" || line == "\\t\\t";
}

bool CardViews::isDuplicatePhone(const std::string& name, const std::string& number) const
{
    const std::string foldedName = IniFile::fold(name);
    const std::string foldedNumber = IniFile::fold(number);
    for (const Row& row : phoneRecords_.rows()) {
        if (row.columns.size() < 2) continue;
        if (IniFile::fold(row.columns[0]) == foldedName && IniFile::fold(row.columns[1]) == foldedNumber) return true;
    }
    return false;
}

bool CardViews::refusedByPhoneChecks(std::string_view line)
{
    const auto fields = EntryLine::fields(line, 2);
    const std::string& name = fields[0];
    if (isDuplicatePhone(name, EntryLine::keepDialable(fields[1]))) {
        reports.append(CardReportLists::Kind::Duplicate, name);
        return true;
    }
    if (CardTextLimits::nameTooLong(name, geometry.alphaLength)) {
        reports.append(CardReportLists::Kind::LongName, name);
        return true;
    }
    return false;
}

CardViews::AddResult CardViews::cardFull()
{
    const LocalTexts& texts = LocalTexts::current();
    Prompter::current().message(Prompter::Kind::Warning, texts.hint(1), texts.hint(12));
    checkMode = false;
    return AddResult::CardFull;
}

std::optional<std::size_t> CardViews::chooseRow(RowTable& table, std::size_t capacity, std::size_t& cursor,
                                                bool scroll)
{
    const std::size_t before = table.size();
    auto row = FreeRecordSearch::choose(table, capacity, cursor);
    if (row && scroll && *row < before) table.scrollTo(*row);
    return row;
}

CardViews::AddResult CardViews::addCardPhoneRow(std::string_view line)
{
    if (checkMode && refusedByPhoneChecks(line)) return AddResult::Refused;
    const std::size_t capacity = static_cast<std::size_t>(std::max(geometry.phoneCapacity, 0));
    const auto record = chooseRow(phoneRecords_, capacity, phoneCursor, true);
    if (!record) return cardFull();
    const auto fields = EntryLine::fields(line, 2);
    const std::string number = EntryLine::keepDialable(fields[1]);
    phoneRecords_.setColumns(*record, {fields[0], number});
    if (isEmptyLine(line)) return AddResult::Added;

    const auto shown = chooseRow(phoneView_, capacity, phoneCursor, false);
    if (!shown) return cardFull();
    phoneView_.setColumns(*shown, {fields[0], number, std::to_string(*record)});
    phoneView_.setLink(*shown, static_cast<int>(*record));
    return AddResult::Added;
}

CardViews::AddResult CardViews::addCardMessageRow(std::string_view line)
{
    const auto fields = EntryLine::fields(line, 2);
    if (checkMode && CardTextLimits::messageTooLong(fields[0])) {
        reports.append(CardReportLists::Kind::LongMessage, fields[0]);
        return AddResult::Refused;
    }
    return placeMessage(fields[0], fields[1], nullptr, !isEmptyLine(line));
}

CardViews::AddResult CardViews::addReadMessage(const std::string& text, const std::string& number,
                                               const std::string& status)
{
    return placeMessage(text, number, &status, !text.empty());
}

CardViews::AddResult CardViews::placeMessage(const std::string& text, const std::string& number,
                                             const std::string* status, bool mirror)
{
    const std::size_t capacity = static_cast<std::size_t>(std::max(geometry.messageCapacity, 0));
    const auto record = chooseRow(messageRecords_, capacity, messageCursor, true);
    if (!record) return cardFull();
    const std::string sender = senderName(number, text);
    std::vector<std::string> columns{text, number, sender};
    if (status) columns.push_back(*status);
    messageRecords_.setColumns(*record, std::move(columns));
    if (!mirror) return AddResult::Added;

    const auto shown = chooseRow(messageView_, capacity, messageCursor, false);
    if (!shown) return cardFull();
    messageView_.setColumns(*shown, {text, number, sender, std::to_string(*record)});
    messageView_.setLink(*shown, static_cast<int>(*record));
    return AddResult::Added;
}

std::string CardViews::senderName(const std::string& number, const std::string& text) const
{
    // A message without a number has no sender, even when some entry has no number either.
    if (number.empty()) return {};
    return cardNameIndex.senderName(number, text);
}

void CardViews::clearPhone()
{
    phoneRecords_.clear();
    phoneView_.clear();
}

void CardViews::clearMessages()
{
    messageRecords_.clear();
    messageView_.clear();
}

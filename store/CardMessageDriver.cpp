#include "store/CardMessageDriver.h"

#include "shell/LocalTexts.h"
#include "shell/Log.h"
#include "shell/Pacer.h"
#include "shell/Prompter.h"
#include "sim/SimPin.h"
#include "sim/SimShortMsg.h"

#include <algorithm>
#include <charconv>

namespace {
bool isDecodeResult(int result) { return result >= kSmsBadStatus && result <= kSmsTooLong; }
}  // namespace

int CardMessageDriver::open(bool report)
{
    int error = 0;
    const int64_t result = SimShortMsg::OpenSimShortMsgFile(error);
    if (error != 0 && report) {
        const LocalTexts& texts = LocalTexts::current();
        Log::line("OpenSimShortMsgFile iErrCode=" + std::to_string(error));
        Prompter::current().message(Prompter::Kind::Plain, texts.hint(2), texts.hint(error <= 2 ? 95 : 96));
    }
    if (error != 0 || result <= 0) return 0;
    const int count = static_cast<int>((result >> 16) & 0xFFFF);
    return count > kMaxRecords ? 0 : count;
}

bool CardMessageDriver::read()
{
    image_.clear();
    const int count = open(true);
    if (count == 0) return false;
    views_.clearMessages();
    views_.geometry.messageCapacity = count;
    if (!readRecords(count)) {
        uint32_t attempts = 0;
        if (SimPin::SimCardNeedCHV1(attempts) == SimPin::kUnreadable) {
            host_.setCardState(LocalTexts::current().hint(5) + ".");
        }
    }
    host_.setInfo(LocalTexts::current().hintf(19, views_.messageView().size()));
    return true;
}

bool CardMessageDriver::readRecords(int count)
{
    const LocalTexts& texts = LocalTexts::current();
    views_.messageRecords().reserve(count);
    for (int i = 1; i <= count; ++i) {
        host_.setInfo(texts.hintf(18, i, count));
        ShortMsg msg;
        const int result = SimShortMsg::ReadOneShortMsgByStructure(static_cast<uint32_t>(i), msg);
        // A free or undecodable record still takes its row; a failed exchange ends the read.
        if (result != 0 && !isDecodeResult(result)) return false;
        Log::line("MSG=" + std::to_string(i) + ",Text=" + msg.text + ",cSenderNum=" + msg.number);
        image_.push_back({msg.text, msg.number});
        views_.addReadMessage(msg.text, msg.number, std::to_string(msg.status));
        advanceFor(i, count);
        Pacer::current().pump();
    }
    return true;
}

// About 70 gauge steps over the whole file.
void CardMessageDriver::advanceFor(int record, int count)
{
    if (count <= 70) host_.advanceProgress(70 / count);
    else if (record % (count / 70) == 0) host_.advanceProgress(1);
}

uint32_t CardMessageDriver::rowStatus(std::size_t row) const
{
    const std::string& text = views_.messageRecords().text(row, 3);
    uint32_t status = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), status);
    return error == std::errc() && end == text.data() + text.size() ? status : 0;
}

CardMessageDriver::WriteResult CardMessageDriver::write()
{
    WriteResult result;
    const int count = open(false);
    if (count == 0) return result;
    const LocalTexts& texts = LocalTexts::current();
    const RowTable& records = views_.messageRecords();
    // Only records the last read reached: one past a failed read may hold a message never seen.
    const std::size_t rows = std::min({records.size(), static_cast<std::size_t>(count), image_.size()});
    for (std::size_t i = 0; i < rows; ++i) {
        host_.setInfo(texts.hintf(20, i + 1));
        const Record wanted{records.text(i, 0), records.text(i, 1)};
        if (image_[i] == wanted) continue;
        ShortMsg msg;
        msg.text = wanted.text;
        msg.number = wanted.number;
        msg.status = rowStatus(i);
        const int status = SimShortMsg::WriteSimShortMsg(static_cast<uint32_t>(i + 1), msg);
        if (status != kWritten) {
            result.status = status;
            break;
        }
        ++result.written;
        Pacer::current().sleep(1000);
        Pacer::current().pump();
    }
    host_.setInfo(texts.hint(21));
    if (result.written > 0 && !host_.closing()) read();
    return result;
}

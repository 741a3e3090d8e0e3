#include "vsim/VirtualCard.h"

#include <algorithm>

namespace {
constexpr uint8_t kClassGsm = 0xA0;
constexpr uint8_t kClassIso = 0x00;
constexpr uint8_t kModeNext = 0x02, kModePrevious = 0x03, kModeAbsolute = 0x04;

uint16_t word(uint8_t hi, uint8_t lo) { return static_cast<uint16_t>((hi << 8) | lo); }
}  // namespace

VirtualCard::VirtualCard(CardImage image) : image_(std::move(image)) {}

void VirtualCard::insert()
{
    inserted_ = true;
    reset();
}

void VirtualCard::reset()
{
    image_.chv.reset();
    currentDf_ = CardImage::kMf;
    currentEf_ = -1;
    currentRecord_ = 0;
    waiting_.clear();
}

void VirtualCard::clearCounts()
{
    counts_.fill(0);
    total_ = 0;
}

std::vector<uint8_t> VirtualCard::transmit(const std::vector<uint8_t>& apdu)
{
    if (!inserted_) return {};
    iso_ = false;
    if (apdu.size() < 5) return fail(CardError::WrongLength);
    Command c{apdu[0], apdu[1], apdu[2], apdu[3], apdu[4], apdu.data() + 5, apdu.size() - 5};
    ++counts_[c.ins];
    ++total_;
    if (c.cla != kClassGsm && c.cla != kClassIso) return fail(CardError::WrongClass);
    iso_ = c.cla == kClassIso;
    Reply r = dispatch(c);
    if (c.ins != kSelect && c.ins != kGetResponse) waiting_.clear();
    return r;
}

VirtualCard::Reply VirtualCard::dispatch(const Command& c)
{
    switch (c.ins) {
    case kSelect: return select(c);
    case kStatus: return status(c);
    case kGetResponse: return getResponse(c);
    case kReadBinary: return readBinary(c);
    case kUpdateBinary: return updateBinary(c);
    case kReadRecord: return readRecord(c);
    case kUpdateRecord: return updateRecord(c);
    case kVerify:
    case kChange:
    case kDisable:
    case kEnable:
    case kUnblock: return chvCommand(c);
    default: return fail(CardError::UnknownInstruction);
    }
}

VirtualCard::Reply VirtualCard::ok(std::vector<uint8_t> data) const
{
    data.push_back(0x90);
    data.push_back(0x00);
    return data;
}

VirtualCard::Reply VirtualCard::fail(CardError e) const
{
    uint16_t sw = StatusWord::of(e, iso_, image_.chv.attemptsLeft);
    return {static_cast<uint8_t>(sw >> 8), static_cast<uint8_t>(sw)};
}

// The first `p3` bytes of `data` (P3 = 0 asks for 256); a longer request is refused.
VirtualCard::Reply VirtualCard::leading(const std::vector<uint8_t>& data, uint8_t p3) const
{
    size_t wanted = p3 == 0 ? 256 : p3;
    if (wanted > data.size()) return fail(CardError::WrongLength);
    return ok(std::vector<uint8_t>(data.begin(), data.begin() + static_cast<long>(wanted)));
}

uint16_t VirtualCard::parentOf(uint16_t) const { return CardImage::kMf; }

bool VirtualCard::reachable(uint16_t id) const
{
    if (id == CardImage::kMf || id == currentDf_ || id == parentOf(currentDf_)) return true;
    std::vector<uint16_t> dirs = image_.directories();
    if (std::find(dirs.begin(), dirs.end(), id) != dirs.end())
        return parentOf(id) == currentDf_ || parentOf(id) == parentOf(currentDf_);
    const ElementaryFile* f = image_.find(id);
    return f && f->parent == currentDf_;
}

std::vector<uint8_t> VirtualCard::directoryHeader(uint16_t df) const
{
    const bool mf = df == CardImage::kMf;
    const auto dirs = image_.directories();
    const auto efs = std::count_if(image_.files.begin(), image_.files.end(),
                                   [df](const ElementaryFile& f) { return f.parent == df; });
    const ChvState& chv = image_.chv;
    return {
        0x00, 0x00,                                                      // RFU
        0x10, 0x00,                                                      // memory not allocated
        static_cast<uint8_t>(df >> 8), static_cast<uint8_t>(df),         // file id
        static_cast<uint8_t>(mf ? 0x01 : 0x02),                          // type: MF / DF
        0x00, 0x00, 0x00, 0x00, 0x00,                                    // RFU
        0x09,                                                            // bytes following
        static_cast<uint8_t>(0x13 | (chv.enabled ? 0x00 : 0x80)),        // characteristics
        static_cast<uint8_t>(mf ? dirs.size() - 1 : 0),                  // child DFs
        static_cast<uint8_t>(efs),                                       // child EFs
        0x04,                                                            // codes
        0x00,                                                            // RFU
        chv.statusByte(),                                                // CHV1 status
        chv.unblockStatusByte(),                                         // UNBLOCK CHV1 status
        0x00, 0x00,                                                      // CHV2: not initialised
    };
}

VirtualCard::Reply VirtualCard::select(const Command& c)
{
    if (c.p1 != 0x00 || c.p2 != 0x00) return fail(CardError::WrongParameters);
    if (c.p3 != 2 || c.dataLength != 2) return fail(CardError::WrongLength);
    const uint16_t id = word(c.data[0], c.data[1]);
    if (!reachable(id)) return fail(CardError::FileNotFound);
    currentRecord_ = 0;
    const auto dirs = image_.directories();
    if (std::find(dirs.begin(), dirs.end(), id) != dirs.end()) {
        currentDf_ = id;
        currentEf_ = -1;
        waiting_ = directoryHeader(id);
    } else {
        const ElementaryFile* f = image_.find(id);
        currentEf_ = static_cast<int>(f - image_.files.data());
        waiting_ = f->header();
    }
    uint16_t sw = StatusWord::responseWaiting(static_cast<uint8_t>(waiting_.size()), iso_);
    return {static_cast<uint8_t>(sw >> 8), static_cast<uint8_t>(sw)};
}

VirtualCard::Reply VirtualCard::status(const Command& c)
{
    if (c.p1 != 0x00 || c.p2 != 0x00) return fail(CardError::WrongParameters);
    if (c.dataLength != 0) return fail(CardError::WrongLength);
    return leading(directoryHeader(currentDf_), c.p3);
}

VirtualCard::Reply VirtualCard::getResponse(const Command& c)
{
    if (c.p1 != 0x00 || c.p2 != 0x00) return fail(CardError::WrongParameters);
    if (c.dataLength != 0) return fail(CardError::WrongLength);
    if (waiting_.empty()) return fail(CardError::NoResponseData);
    Reply r = leading(waiting_, c.p3);
    if (r.size() > 2) waiting_.clear();
    return r;
}

bool VirtualCard::accessGranted(uint8_t condition) const
{
    if (condition == ElementaryFile::kAlways) return true;
    if (condition == ElementaryFile::kChv1) return image_.chv.satisfied();
    return false;  // CHV2, administrative codes and "never" are not available here
}

ElementaryFile* VirtualCard::usableFile(bool records, bool update, CardError& error)
{
    if (currentEf_ < 0) {
        error = CardError::NoFileSelected;
        return nullptr;
    }
    ElementaryFile& f = image_.files[static_cast<size_t>(currentEf_)];
    if (f.isRecordFile() != records) {
        error = CardError::FileInconsistent;
        return nullptr;
    }
    if (!accessGranted(update ? f.updateAccess : f.readAccess)) {
        error = CardError::AccessDenied;
        return nullptr;
    }
    if (f.invalidated) {
        error = CardError::Invalidated;
        return nullptr;
    }
    return &f;
}

VirtualCard::Reply VirtualCard::readBinary(const Command& c)
{
    if (c.dataLength != 0) return fail(CardError::WrongLength);
    if (c.p1 & 0x80) return fail(CardError::WrongParameters);
    CardError e{};
    ElementaryFile* f = usableFile(false, false, e);
    if (!f) return fail(e);
    const size_t offset = word(c.p1, c.p2);
    const size_t length = c.p3 == 0 ? 256 : c.p3;
    if (offset >= f->body.size()) return fail(CardError::WrongParameters);
    if (offset + length > f->body.size()) return fail(CardError::WrongLength);
    auto from = f->body.begin() + static_cast<long>(offset);
    return ok(std::vector<uint8_t>(from, from + static_cast<long>(length)));
}

VirtualCard::Reply VirtualCard::updateBinary(const Command& c)
{
    if (c.p3 == 0 || c.dataLength != c.p3) return fail(CardError::WrongLength);
    if (c.p1 & 0x80) return fail(CardError::WrongParameters);
    CardError e{};
    ElementaryFile* f = usableFile(false, true, e);
    if (!f) return fail(e);
    const size_t offset = word(c.p1, c.p2);
    if (offset >= f->body.size()) return fail(CardError::WrongParameters);
    if (offset + c.dataLength > f->body.size()) return fail(CardError::WrongLength);
    std::copy(c.data, c.data + c.dataLength, f->body.begin() + static_cast<long>(offset));
    changed_ = true;
    return ok();
}

size_t VirtualCard::recordNumber(const Command& c, const ElementaryFile& f, CardError& error) const
{
    const size_t count = f.recordCount();
    size_t n = 0;
    switch (c.p2) {
    case kModeAbsolute: n = c.p1 == 0 ? currentRecord_ : c.p1; break;
    case kModeNext: n = currentRecord_ + 1; break;
    case kModePrevious: n = currentRecord_ == 0 ? count : currentRecord_ - 1; break;
    default: error = CardError::WrongParameters; return 0;
    }
    if (c.p2 != kModeAbsolute && c.p1 != 0) {
        error = CardError::WrongParameters;
        return 0;
    }
    if (n == 0 || n > count) {
        error = CardError::OutOfRange;
        return 0;
    }
    return n;
}

VirtualCard::Reply VirtualCard::readRecord(const Command& c)
{
    if (c.dataLength != 0) return fail(CardError::WrongLength);
    CardError e{};
    ElementaryFile* f = usableFile(true, false, e);
    if (!f) return fail(e);
    if (c.p3 != f->recordLength) return fail(CardError::WrongLength);
    const size_t n = recordNumber(c, *f, e);
    if (n == 0) return fail(e);
    currentRecord_ = n;
    const uint8_t* r = f->record(n);
    return ok(std::vector<uint8_t>(r, r + f->recordLength));
}

VirtualCard::Reply VirtualCard::updateRecord(const Command& c)
{
    CardError e{};
    ElementaryFile* f = usableFile(true, true, e);
    if (!f) return fail(e);
    if (c.p3 != f->recordLength || c.dataLength != c.p3) return fail(CardError::WrongLength);
    const size_t n = recordNumber(c, *f, e);
    if (n == 0) return fail(e);
    currentRecord_ = n;
    std::copy(c.data, c.data + c.dataLength, f->record(n));
    changed_ = true;
    return ok();
}

VirtualCard::Reply VirtualCard::chvReply(ChvState::Outcome o) const
{
    switch (o) {
    case ChvState::Outcome::Ok: return ok();
    case ChvState::Outcome::Wrong: return fail(CardError::ChvWrong);
    case ChvState::Outcome::Blocked: return fail(CardError::ChvBlocked);
    case ChvState::Outcome::Contradiction: return fail(CardError::ChvContradiction);
    }
    return fail(CardError::ChvWrong);
}

VirtualCard::Reply VirtualCard::chvCommand(const Command& c)
{
    const bool twoCodes = c.ins == kChange || c.ins == kUnblock;
    // UNBLOCK CHV names CHV1 as 00; the others as 01. Only CHV1 is initialised on this card.
    const uint8_t chv1 = c.ins == kUnblock ? 0x00 : 0x01;
    const bool chv2 = c.p2 == 0x02;
    const bool chvSelectable = c.ins == kVerify || c.ins == kChange || c.ins == kUnblock;
    if (c.p1 != 0x00 || (c.p2 != chv1 && !(chvSelectable && chv2))) return fail(CardError::WrongParameters);
    if (c.p3 != (twoCodes ? 16 : 8) || c.dataLength != c.p3) return fail(CardError::WrongLength);
    if (c.p2 != chv1) return fail(CardError::ChvNotInitialised);
    ChvState::Block first, second;
    std::copy(c.data, c.data + 8, first.begin());
    if (twoCodes) std::copy(c.data + 8, c.data + 16, second.begin());
    ChvState& chv = image_.chv;
    ChvState::Outcome o{};
    switch (c.ins) {
    case kVerify: o = chv.verify(first); break;
    case kChange: o = chv.change(first, second); break;
    case kDisable: o = chv.disable(first); break;
    case kEnable: o = chv.enable(first); break;
    default: o = chv.unblock(first, second); break;
    }
    if (o != ChvState::Outcome::Contradiction) changed_ = true;
    return chvReply(o);
}

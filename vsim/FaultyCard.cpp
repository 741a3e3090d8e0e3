#include "vsim/FaultyCard.h"

namespace {
bool isEfHeader(const std::vector<uint8_t>& r) { return r.size() >= 17 && r[6] == 0x04; }
}  // namespace

std::vector<uint8_t> FaultyCard::transmit(const std::vector<uint8_t>& apdu)
{
    ++answered_;
    const uint8_t ins = apdu.size() >= 2 ? apdu[1] : 0;
    const bool readRecord = ins == VirtualCard::kReadRecord, getResponse = ins == VirtualCard::kGetResponse;
    if (readRecord && faults_.errorAtRecord != 0 && apdu.size() >= 4 && apdu[2] == faults_.errorAtRecord &&
        apdu[3] == 0x04)
        return {0x6F, 0x00};
    std::vector<uint8_t> r = card_.transmit(apdu);
    if (r.size() <= 2) return r;
    if (getResponse && faults_.zeroRecordLength && isEfHeader(r)) r[14] = 0x00;
    if (faults_.shortResponses) r.erase(r.begin() + static_cast<long>((r.size() - 2) / 2), r.end() - 2);
    if (faults_.echoInstruction && (readRecord || getResponse)) r.insert(r.begin(), ins);
    return r;
}

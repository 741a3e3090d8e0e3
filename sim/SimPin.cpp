#include "sim/SimPin.h"

#include "shell/AppPaths.h"
#include "shell/Log.h"
#include "sim/SimFiles.h"

#include <cstdio>
#include <filesystem>

namespace {

constexpr uint8_t kChecksDisabled = 0x80;     // file characteristics, bit 8
constexpr uint8_t kBlockedStatus = 0x80;      // CHV1 status: initialised, no attempt left
constexpr uint8_t kNullProcedureByte = 0x60;

// Sends a CHV command; accepted when the card answered 90 00 or its first byte is 60.
uint32_t sendChv(const SimCommand::Bytes& command)
{
    const uint16_t status = SimFiles::exchange(command, 0x00);
    const SimResponse r = SimFiles::response();
    if (status == 0 && ((r.at(0) == 0x90 && r.at(1) == 0x00) || r.at(0) == kNullProcedureByte)) return SimPin::kAccepted;
    return SimPin::kRefused;
}

bool takeNoIni()
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(SimPin::noIniPath(), ec)) return false;
    std::filesystem::remove(SimPin::noIniPath(), ec);
    return true;
}

}  // namespace

std::string SimPin::noIniPath() { return AppPaths::dataDir() + "No.ini"; }

SimCommand::PinBlock SimPin::pinBlock(std::string_view pin)
{
    SimCommand::PinBlock block;
    block.fill(0xFF);
    for (size_t i = 0; i < pin.size() && i < block.size(); ++i) block[i] = static_cast<uint8_t>(pin[i]);
    return block;
}

std::string SimPin::masked(std::string_view pin) { return std::string(pin.size(), '*'); }

uint32_t SimPin::SimCardNeedCHV1(uint32_t& attemptsLeft)
{
    Log::line("SimCardNeedCHV1 start");
    if (takeNoIni()) return kUnreadable;
    if (SimFiles::select(SimFiles::kMasterFile) != 0 || SimFiles::leadingSw1() == 0x3F) return kUnreadable;
    if (SimFiles::getResponse() != 0) return kUnreadable;
    const EfHeader h = EfHeader::parseMaster(SimFiles::response().data());
    if (!h.complete) return kUnreadable;
    attemptsLeft = h.chv1Status & 0x0F;
    uint32_t result = kCheckOff;
    if (!(h.fileCharacteristics & kChecksDisabled)) result = h.chv1Status == kBlockedStatus ? kBlocked : kPinNeeded;
    Log::line("SimCardNeedCHV1 end");
    return result;
}

uint32_t SimPin::SimCardVerifyCHV1(uint32_t chv, std::string_view pin)
{
    Log::line("SimCardVerifyCHV1 start,iIndex=" + std::to_string(chv) + ",pcPinCode=" + masked(pin));
    if (pin.empty()) return kRefused;
    const uint32_t result = sendChv(SimCommand::verifyChv(static_cast<uint8_t>(chv), pinBlock(pin)));
    Log::line("SimCardVerifyCHV1 end");
    return result;
}

uint32_t SimPin::SimCardChangeCHV(uint32_t chv, const SimCommand::PinBlock& oldPin, const SimCommand::PinBlock& newPin)
{
    const uint32_t result = sendChv(SimCommand::changeChv(static_cast<uint8_t>(chv), oldPin, newPin));
    if (result != kAccepted) {
        const SimResponse r = SimFiles::response();
        Log::line("SimCardChangeCHV::First param=" + std::to_string(r.at(0)) + ",second param=" + std::to_string(r.at(1)));
    }
    return result;
}

uint32_t SimPin::SimCardEnableCHV1(std::string_view pin)
{
    return pin.empty() ? kRefused : sendChv(SimCommand::enableChv1(pinBlock(pin)));
}

uint32_t SimPin::SimCardDisableCHV1(std::string_view pin)
{
    return pin.empty() ? kRefused : sendChv(SimCommand::disableChv1(pinBlock(pin)));
}

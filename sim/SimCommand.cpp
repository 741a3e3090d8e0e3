#include "sim/SimCommand.h"

#include <algorithm>

SimCommand::Bytes SimCommand::build(uint8_t ins, uint8_t p1, uint8_t p2, uint8_t p3, std::span<const uint8_t> data)
{
    Bytes command(5 + data.size());
    command[0] = kClass;
    command[1] = ins;
    command[2] = p1;
    command[3] = p2;
    command[4] = p3;
    std::copy(data.begin(), data.end(), command.begin() + 5);
    return command;
}

SimCommand::Bytes SimCommand::select(uint16_t fileId)
{
    const uint8_t id[2] = {static_cast<uint8_t>(fileId >> 8), static_cast<uint8_t>(fileId & 0xFF)};
    return build(kSelect, 0, 0, 2, id);
}

SimCommand::Bytes SimCommand::getResponse(uint8_t le) { return build(kGetResponse, 0, 0, le); }

SimCommand::Bytes SimCommand::readRecord(uint8_t record, uint8_t length)
{
    return build(kReadRecord, record, kAbsolute, length);
}

SimCommand::Bytes SimCommand::updateRecord(uint8_t record, std::span<const uint8_t> data)
{
    return build(kUpdateRecord, record, kAbsolute, static_cast<uint8_t>(data.size()), data);
}

SimCommand::Bytes SimCommand::readBinary(uint8_t length) { return build(kReadBinary, 0, 0, length); }

SimCommand::Bytes SimCommand::verifyChv(uint8_t chv, const PinBlock& pin)
{
    return build(kVerifyChv, 0, chv, static_cast<uint8_t>(pin.size()), pin);
}

SimCommand::Bytes SimCommand::changeChv(uint8_t chv, const PinBlock& oldPin, const PinBlock& newPin)
{
    std::array<uint8_t, 16> both{};
    std::copy(oldPin.begin(), oldPin.end(), both.begin());
    std::copy(newPin.begin(), newPin.end(), both.begin() + 8);
    return build(kChangeChv, 0, chv, static_cast<uint8_t>(both.size()), both);
}

SimCommand::Bytes SimCommand::disableChv1(const PinBlock& pin)
{
    return build(kDisableChv, 0, 1, static_cast<uint8_t>(pin.size()), pin);
}

SimCommand::Bytes SimCommand::enableChv1(const PinBlock& pin)
{
    return build(kEnableChv, 0, 1, static_cast<uint8_t>(pin.size()), pin);
}

SimCommand::Bytes SimCommand::answerToReset() { return {0x00, 0x02, 0x00, 0x00, 0x02, 0x00, 0x00}; }

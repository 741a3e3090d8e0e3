#include "cli/ReadCommand.h"

#include "cli/CardSession.h"
#include "cli/CliError.h"
#include "cli/CliOptions.h"
#include "cli/RecordFields.h"
#include "sim/SimFiles.h"
#include "sim/SimGeometry.h"
#include "sim/SimIdentity.h"
#include "sim/SimPhoneBook.h"
#include "sim/SimPin.h"
#include "sim/SimShortMsg.h"

void ReadCommand::run(const std::vector<std::string>& words, KeyValueWriter& out)
{
    const CliOptions options(words, 1, {"reader", "pin"});
    const std::string what = options.positional(0);
    if (what != "identity" && what != "phonebook" && what != "messages")
        throw CliError::usage("read what? identity, phonebook or messages: " + what);
    const CardSession session(options.value("reader"));
    unlock(options.value("pin"));
    identity(out);
    if (what == "phonebook") phoneBook(out);
    if (what == "messages") messages(out);
}

void ReadCommand::unlock(const std::string& pin)
{
    uint32_t attempts = 0;
    const uint32_t need = SimPin::SimCardNeedCHV1(attempts);
    if (need == SimPin::kBlocked) throw CliError(CliError::kCardExit, "the PIN is blocked");
    if (need != SimPin::kPinNeeded) return;
    if (pin.empty())
        throw CliError(CliError::kCardExit, "the card needs its PIN (--pin), attempts left " + std::to_string(attempts));
    if (SimPin::SimCardVerifyCHV1(1, pin) != SimPin::kAccepted) throw CliError(CliError::kCardExit, "the PIN was refused");
}

void ReadCommand::identity(KeyValueWriter& out)
{
    std::string iccid;
    SimIdentity::GetSimCardNumber(iccid);
    std::string owner;
    std::string ownNumber;
    SimIdentity::GetSimCardMSISDN(&owner, &ownNumber);
    SimIdentity::Address address{};
    const bool stored = SimIdentity::GetSimCardSMSP(&address) != 0;
    out.plain("iccid", iccid);
    out.text("owner", owner);
    out.plain("own_number", ownNumber);
    out.hex("sca", stored ? std::vector<uint8_t>(address.begin(), address.end()) : std::vector<uint8_t>{});
}

void ReadCommand::phoneBook(KeyValueWriter& out)
{
    if (const uint16_t status = SimPhoneBook::OpenSimPhoneFile()) throw CliError::card("opening the phone book", status);
    for (uint32_t r = 1; r <= SimGeometry::phone().recordCount && r <= 0xFF; ++r) {
        std::string name;
        std::string number;
        const uint16_t status = SimPhoneBook::ReadSimPhoneBook(r, name, number);
        if (status != 0 && status != SimFiles::kDamagedData) throw CliError::card("reading phone record " + std::to_string(r), status);
        if (name.empty() && number.empty()) continue;
        out.endRecord();
        out.plain("record", std::to_string(r));
        RecordFields::phoneEntry(out, name, number);
    }
}

void ReadCommand::messages(KeyValueWriter& out)
{
    int errorCode = 0;
    const int64_t opened = SimShortMsg::OpenSimShortMsgFile(errorCode);
    if (opened == -1) throw CliError(CliError::kCardExit, "cannot open the message file, error code " + std::to_string(errorCode));
    if (errorCode != 0) throw CliError::card("opening the message file", static_cast<unsigned>(opened));
    const uint32_t count = static_cast<uint32_t>(opened >> 16);
    for (uint32_t r = 1; r <= count && r <= 0xFF; ++r) {
        ShortMsg msg;
        const int result = SimShortMsg::ReadOneShortMsgByStructure(r, msg);
        if (result != 0 && (result < kSmsBadStatus || result > kSmsTooLong))
            throw CliError::card("reading message record " + std::to_string(r), static_cast<unsigned>(result));
        if (msg.status == 0) continue;
        out.endRecord();
        out.plain("record", std::to_string(r));
        RecordFields::message(out, msg);
    }
}

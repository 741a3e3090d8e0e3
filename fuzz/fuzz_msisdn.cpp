// Own-number records, read through the card operation from a one-record virtual card.
#include "FuzzInput.h"
#include "cli/OneFileCard.h"
#include "sim/SimIdentity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    if (input.record.empty() || input.record.size() > 255) return 0;
    const OneFileCard card(CardImage::kMsisdn, input.record);
    std::string name;
    std::string number;
    SimIdentity::GetSimCardMSISDN(&name, &number);
    return 0;
}

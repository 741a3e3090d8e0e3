// Message parameter records, read through the card operation from a one-record virtual card.
#include "FuzzInput.h"
#include "cli/OneFileCard.h"
#include "cli/RecordFields.h"
#include "sim/SimIdentity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzInput input(data, size);
    if (input.record.empty() || input.record.size() > 255) return 0;
    const OneFileCard card(CardImage::kSmsp, input.record);
    SimIdentity::Address address{};
    if (SimIdentity::GetSimCardSMSP(&address) != 0) RecordFields::serviceCentreNumber({address.begin(), address.end()});
    return 0;
}

#include "sim/PinState.h"

PinState& PinState::current()
{
    static PinState state;
    return state;
}

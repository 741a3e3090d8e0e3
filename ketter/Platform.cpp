#include "ketter/Platform.h"

#include <cstdlib>
#include <cstring>

namespace {
bool forced = false;
Platform::Generation forcedGeneration = Platform::Generation::Nt6;
}  // namespace

Platform::Generation Platform::parse(const char* text)
{
    if (text && std::strcmp(text, "0") == 0) return Generation::Legacy;
    if (text && std::strcmp(text, "1") == 0) return Generation::NtClassic;
    return Generation::Nt6;
}

Platform::Generation Platform::current()
{
    if (forced) return forcedGeneration;
    return parse(std::getenv("QUILLON_KETTER_GENERATION"));
}

void Platform::force(Generation generation)
{
    forced = true;
    forcedGeneration = generation;
}

void Platform::clearForced() { forced = false; }

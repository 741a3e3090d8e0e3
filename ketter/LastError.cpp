#include "ketter/LastError.h"

#include <cstdio>

namespace {
uint32_t lastCode = 0;
char lastText[160] = {};  // room for the longest text with two ten-digit numbers
}  // namespace

void LastError::record(uint32_t code, const char* format, unsigned extra)
{
    lastCode = code;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(lastText, sizeof lastText, format, static_cast<unsigned long>(code), extra);
#pragma GCC diagnostic pop
}

void LastError::setCode(uint32_t code) { lastCode = code; }
uint32_t LastError::code() { return lastCode; }
std::string LastError::text() { return lastText; }

void LastError::clear()
{
    lastCode = 0;
    lastText[0] = '\0';
}

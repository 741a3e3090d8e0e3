#include "cli/CliError.h"

#include <cstdio>

CliError CliError::card(const std::string& operation, unsigned status)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X", status);
    return CliError(kCardExit, operation + " failed, status " + text);
}

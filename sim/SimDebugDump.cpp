#include "sim/SimDebugDump.h"

#include "shell/AppPaths.h"
#include "shell/Log.h"

#include <cstdio>
#include <filesystem>

std::string SimDebugDump::directory() { return AppPaths::dataDir() + "Debug/"; }

bool SimDebugDump::enabled()
{
    std::error_code ec;
    return std::filesystem::is_directory(directory(), ec);
}

void SimDebugDump::save(const std::string& name, std::span<const uint8_t> bytes)
{
    const std::string path = directory() + name;
    Log::line(path);
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0) ok = false;
    if (!ok) Log::line("Save dump file error=" + path);
}

std::string SimDebugDump::hexByte(unsigned value)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", value & 0xFFu);
    return buf;
}

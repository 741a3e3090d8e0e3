#include "mainwindow/FormSettings.h"

#include "store/IniFile.h"

#include <limits>
#include <string>

namespace {

int readInt(const IniFile& ini, const char* key, int def)
{
    long long v = ini.readInteger(FormSettings::kSection, key, def);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return def;
    return static_cast<int>(v);
}

}  // namespace

std::vector<int> FormSettings::readWidths(const IniFile& ini, const char* prefix, const std::vector<int>& defaults)
{
    std::vector<int> widths = defaults;
    for (size_t i = 0; i < widths.size(); ++i)
        widths[i] = readInt(ini, (prefix + std::to_string(i)).c_str(), widths[i]);
    return widths;
}

void FormSettings::writeWidths(IniFile& ini, const char* prefix, const std::vector<int>& widths)
{
    for (size_t i = 0; i < widths.size(); ++i) ini.writeInteger(kSection, prefix + std::to_string(i), widths[i]);
}

FormSettings FormSettings::read(const IniFile& ini, const FormSettings& defaults)
{
    FormSettings s = defaults;
    s.reader = ini.readString(kSection, "Reader", defaults.reader);
    s.windowState = readInt(ini, "WindowState", defaults.windowState);
    s.width = readInt(ini, "Width", defaults.width);
    s.height = readInt(ini, "Height", defaults.height);
    s.simWidth = readInt(ini, "SimWidth", defaults.simWidth);
    s.simColWidths = readWidths(ini, "SimColWidth", defaults.simColWidths);
    // Written as SIMMsgColWidth; keys ignore case, so this is the same key.
    s.simMsgColWidths = readWidths(ini, "SimMSgColWidth", defaults.simMsgColWidths);
    s.pcColWidths = readWidths(ini, "PCColWidth", defaults.pcColWidths);
    s.pcMsgColWidths = readWidths(ini, "PCMsgColWidth", defaults.pcMsgColWidths);
    s.pacing = readInt(ini, "Pacing", defaults.pacing ? 1 : 0) != 0;
    return s;
}

void FormSettings::write(IniFile& ini) const
{
    ini.writeString(kSection, "Reader", reader);
    ini.writeInteger(kSection, "WindowState", windowState);
    if (windowState != Maximized) {
        ini.writeInteger(kSection, "Width", width);
        ini.writeInteger(kSection, "Height", height);
    }
    ini.writeInteger(kSection, "SimWidth", simWidth);
    writeWidths(ini, "SimColWidth", simColWidths);
    writeWidths(ini, "SIMMsgColWidth", simMsgColWidths);
    writeWidths(ini, "PCColWidth", pcColWidths);
    writeWidths(ini, "PCMsgColWidth", pcMsgColWidths);
    ini.writeInteger(kSection, "Pacing", pacing ? 1 : 0);
}
